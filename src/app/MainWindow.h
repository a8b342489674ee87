#pragma once

#include "LinkPort.h"

#include <QDialog>
#include <QTranslator>
#include <memory>

namespace Ui {
class MainWindow;
}
class FirstPageFor310;
class HotplugSource;
class SessionJournal;

// The one window: link lamp, language buttons and the comparison page. It owns the
// instrument link and keeps it in step with the USB devices that come and go.
class MainWindow : public QDialog
{
    Q_OBJECT
public:
    static constexpr quint16 VendorId = 0x2047;
    static constexpr quint16 ProductId = 0x0301;

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The program's main window, constructed on first use.
    static MainWindow *instance();

    // Opens an instrument that is already plugged in. Called once the window is on screen, so
    // whatever the connection reads say has the window behind it.
    void start();
    // Arrivals and removals from source reach OpenUSB and CloseUSB. Not owning.
    void setHotplugSource(HotplugSource *source);
    FirstPageFor310 *page() const { return page_; }
    // From now on the records are kept in the journal at path; what a previous session left
    // there is offered first.
    void keepJournal(const QString &path);
    // The instrument link open now, if any.
    LinkPort &linkPort() { return port_; }

    int sendFrame(QByteArray &frame, int timeoutMs);
    int receiveFrame(QByteArray &out, int timeoutMs, int expectedLength, bool testFrameCheck);
    bool isDeviceOpen() const;
    static quint16 CRC16(const QByteArray &data, int n);

public slots:
    void initForm();
    void initusbport();
    void on_btnLanguageEn_clicked();
    void on_btnLanguageZh_clicked();
    void handleAppMessage(const QString &message);
    bool OpenUSB();
    void CloseUSB();
    void onDeviceArrival();
    void onDeviceRemoval();

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool switchLanguage(const QString &fileName, int languageFlag);
    void showLamp(bool on);

    std::unique_ptr<Ui::MainWindow> ui;
    FirstPageFor310 *page_ = nullptr;
    LinkPort port_;
    QTranslator translator_;
    std::unique_ptr<SessionJournal> journal_;
};
