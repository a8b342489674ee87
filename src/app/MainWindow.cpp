#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "CLinkerUSB.h"
#include "FirstPageFor310.h"
#include "HotplugSource.h"
#include "LinkPort.h"
#include "Theme.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>

MainWindow::MainWindow(QWidget *parent) : QDialog(parent), ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    initForm();
    on_btnLanguageZh_clicked();
    initusbport();
}

MainWindow::~MainWindow()
{
    CloseUSB();
    delete ui;
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

int MainWindow::sendFrame(QByteArray &frame, int timeoutMs)
{
    return LinkPort::sendFrame(frame, timeoutMs);
}

int MainWindow::receiveFrame(QByteArray &out, int timeoutMs, int expectedLength, bool testFrameCheck)
{
    return LinkPort::receiveFrame(out, timeoutMs, expectedLength, testFrameCheck);
}

bool MainWindow::isDeviceOpen() const
{
    return LinkPort::isDeviceOpen();
}

quint16 MainWindow::CRC16(const QByteArray &data, int n)
{
    return LinkPort::CRC16(data, n);
}

void MainWindow::initForm()
{
    page_ = new FirstPageFor310(this);
    ui->stackedWidget->addWidget(page_);
    ui->stackedWidget->setCurrentWidget(page_);
    setWindowFlags(Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setStyleSheet(Theme::sizeRules());
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
    // The working directory first; then beside the program and the installed data folder.
    const QStringList folders{QString(), QCoreApplication::applicationDirPath(),
                              QStringLiteral(LUMIVEX_DATA_DIR "/translations")};
    for (const QString &folder : folders) {
        if (translator_.load(fileName, folder)) {
            QCoreApplication::installTranslator(&translator_);
            page_->setLanguageFlag(languageFlag);
            return true;
        }
    }
    return false;
}

void MainWindow::handleAppMessage(const QString &message)
{
    qDebug() << message;
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

bool MainWindow::OpenUSB()
{
    if (link_)
        return false;
    auto link = std::make_unique<CLinkerUSB>();
    if (link->Open(VendorId, ProductId) != 0)
        return false;
    link_ = std::move(link);
    LinkPort::setLink(link_.get());
    showLamp(true);
    page_->openThreadSlot();
    page_->readDeviceSettings();
    return true;
}

void MainWindow::CloseUSB()
{
    if (!link_)
        return;
    // The worker polls through the link, so it stops before the link goes away.
    page_->closeThreadSlot();
    link_->Close();
    LinkPort::setLink(nullptr);
    link_.reset();
    showLamp(false);
    page_->clear();
}

void MainWindow::onDeviceArrival()
{
    if (link_)
        return;
    if (OpenUSB())
        qDebug() << "USB_设备打开";
    qDebug() << "DBT_DEVICEARRIVAL";
}

void MainWindow::onDeviceRemoval()
{
    if (link_ && link_->IsRemoved()) {
        CloseUSB();
        qDebug() << "USB_设备移除";
    }
    qDebug() << "DBT_DEVICEREMOVECOMPLETE";
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
