#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMessageBox>
#include <QStringList>
#include <QTableView>
#include <QWidget>

#include <utility>

// What page benchmarks share: the window on screen, its pending work done, its boxes answered.
namespace PageBench {

// The size the page benchmarks show their windows at.
constexpr int Width = 1600;
constexpr int Height = 900;

// Runs what the event loop has queued (the views' delayed layout, then the repaint it asks
// for) until nothing is left, as happens before the user sees the result.
inline void settle()
{
    for (int pass = 0; pass < 3; ++pass) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) : widget_(widget) { widget->installEventFilter(this); }
    ~PaintCounter() override { widget_->removeEventFilter(this); }
    int count() const { return count_; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count_ += event->type() == QEvent::Paint;
        return false;
    }

private:
    QWidget *widget_;
    int count_ = 0;
};

// Runs action, then the event loop until widget has been painted again (the repaint may wait for
// the window's next frame); false when no paint came within two seconds.
template<typename Action>
bool untilPainted(QWidget *widget, Action &&action)
{
    PaintCounter paints(widget);
    action();
    QElapsedTimer clock;
    clock.start();
    while (paints.count() == 0 && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    settle();
    return paints.count() > 0;
}

inline void showAtBenchSize(QWidget &window)
{
    window.resize(Width, Height);
    window.show();
    settle();
}

// Answers every message box as it is shown with the given button and keeps its text, so a
// benchmark can tell a success box from an error and notices a question it did not expect.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Yes) : answer_(answer)
    {
        qApp->installEventFilter(this);
    }
    ~BoxAnswerer() override { qApp->removeEventFilter(this); }

    // Texts of the boxes answered since the last call.
    QStringList takeTexts() { return std::exchange(texts_, {}); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *box = qobject_cast<QMessageBox *>(watched)) {
                texts_ << box->text();
                QMetaObject::invokeMethod(box, [box, answer = answer_] { box->done(answer); }, Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    QMessageBox::StandardButton answer_;
    QStringList texts_;
};

// The record list's viewport of a page, where its rows are painted.
inline QWidget *recordViewport(QWidget &page, const char *viewName = "tableWidget_data")
{
    auto *view = page.findChild<QTableView *>(QLatin1String(viewName));
    return view ? view->viewport() : nullptr;
}

// Wall-clock seconds of f.
template<typename F>
double seconds(F &&f)
{
    QElapsedTimer clock;
    clock.start();
    f();
    return clock.nsecsElapsed() / 1e9;
}

} // namespace PageBench
