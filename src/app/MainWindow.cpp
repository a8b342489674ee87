#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "AppInit.h"
#include "AppLog.h"
#include "FirstPageFor310.h"
#include "HotplugSource.h"
#include "InstrumentLink.h"
#include "SessionJournal.h"
#include "Theme.h"
#include "UdevRuleNotice.h"

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPushButton>

MainWindow::MainWindow(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::MainWindow>())
{
    ui->setupUi(this);
    initForm();
    on_btnLanguageZh_clicked();
    showLamp(false);
}

void MainWindow::start()
{
    page_->start();
    initusbport();
}

MainWindow::~MainWindow()
{
    CloseUSB();
}

MainWindow *MainWindow::instance()
{
    static MainWindow *window = [] {
        auto *w = new MainWindow;
        // Destroyed with the application, after the event loop has ended.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, w, [w] { delete w; });
        return w;
    }();
    return window;
}

void MainWindow::setHotplugSource(HotplugSource *source)
{
    connect(source, &HotplugSource::deviceArrived, this, &MainWindow::onDeviceArrival);
    connect(source, &HotplugSource::deviceRemoved, this, &MainWindow::onDeviceRemoval);
}

void MainWindow::keepJournal(const QString &path)
{
    journal_ = std::make_unique<SessionJournal>(path);
    page_->keepJournal(*journal_);
}

int MainWindow::sendFrame(QByteArray &frame, int timeoutMs)
{
    const auto link = port_.current();
    return link ? link->sendFrame(frame, timeoutMs) : -1;
}

int MainWindow::receiveFrame(QByteArray &out, int timeoutMs, int expectedLength, bool testFrameCheck)
{
    const auto link = port_.current();
    return link ? link->receiveFrame(out, timeoutMs, expectedLength, testFrameCheck) : -1;
}

bool MainWindow::isDeviceOpen() const
{
    return port_.isDeviceOpen();
}

quint16 MainWindow::CRC16(const QByteArray &data, int n)
{
    return LinkPort::CRC16(data, n);
}

void MainWindow::initForm()
{
    page_ = new FirstPageFor310(port_, this);
    ui->stackedWidget->addWidget(page_);
    ui->stackedWidget->setCurrentWidget(page_);
    setWindowFlags(Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setStyleSheet(Theme::sizeRules());
    // Enter in a field must not press a button the user never chose.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
}

void MainWindow::initusbport()
{
    showLamp(false);
    OpenUSB();
}

void MainWindow::on_btnLanguageEn_clicked()
{
    switchLanguage(QStringLiteral("Lumivex_en"), 0);
}

void MainWindow::on_btnLanguageZh_clicked()
{
    switchLanguage(QStringLiteral("Lumivex_zh"), 1);
}

bool MainWindow::switchLanguage(const QString &fileName, int languageFlag)
{
    if (!AppInit::Instance()->switchLanguage(translator_, fileName,
                                             languageFlag == 1 ? QStringLiteral("zh_CN") : QString()))
        return false;
    page_->setLanguageFlag(languageFlag);
    return true;
}

void MainWindow::handleAppMessage(const QString &message)
{
    qCDebug(lumivexApp) << message;
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

bool MainWindow::OpenUSB()
{
    if (port_.current())
        return false;
    bool refused = false;
    auto link = InstrumentLink::openUsb(VendorId, ProductId, &refused);
    if (!link) {
        if (refused)
            showUdevRuleNotice(this);
        return false;
    }
    port_.setLink(std::move(link));
    showLamp(true);
    page_->openThreadSlot();
    page_->readDeviceSettings();
    return true;
}

void MainWindow::CloseUSB()
{
    const auto link = port_.current();
    if (!link)
        return;
    page_->closeThreadSlot();
    // A command series still holding this link finds it closed instead of reaching the next one.
    link->close();
    port_.setLink(nullptr);
    showLamp(false);
    page_->clear();
}

void MainWindow::onDeviceArrival()
{
    if (port_.current())
        return;
    if (OpenUSB())
        qCDebug(lumivexApp) << "USB_设备打开";
    qCDebug(lumivexApp) << "DBT_DEVICEARRIVAL";
}

void MainWindow::onDeviceRemoval()
{
    if (const auto link = port_.current(); link && link->isRemoved()) {
        CloseUSB();
        qCDebug(lumivexApp) << "USB_设备移除";
    }
    qCDebug(lumivexApp) << "DBT_DEVICEREMOVECOMPLETE";
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape would close the program and take every record with it.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (page_->mayClose())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

void MainWindow::showLamp(bool on)
{
    ui->LinkStatusLabel->setPixmap(QPixmap(on ? QStringLiteral(":/image/led_on.png")
                                              : QStringLiteral(":/image/led_off.png")));
    ui->LinkStatusLabel->setAlignment(Qt::AlignCenter);
}
