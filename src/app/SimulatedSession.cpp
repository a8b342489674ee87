#include "SimulatedSession.h"

#include "ReportTransport.h"
#include "SimulatedInstrument.h"

#include <QMetaObject>
#include <QShortcut>
#include <QWidget>

SimulatedSession::SimulatedSession(std::unique_ptr<SimulatedInstrument> instrument)
    : instrument_(std::move(instrument))
{
    std::weak_ptr<SimulatedInstrument> weak = instrument_;
    setTransportFactory([weak]() -> std::unique_ptr<ReportTransport> {
        auto instrument = weak.lock();
        return instrument ? instrument->makeTransport() : nullptr;
    });
    // Presence changes may come from any thread; the window hears them on its own.
    instrument_->setPresenceCallback([this](bool plugged) {
        QMetaObject::invokeMethod(this, [this, plugged] {
            if (plugged)
                emit deviceArrived();
            else
                emit deviceRemoved();
        }, Qt::QueuedConnection);
    });
}

SimulatedSession::~SimulatedSession()
{
    instrument_->setPresenceCallback({});
    setTransportFactory({});
}

std::unique_ptr<SimulatedSession> SimulatedSession::create(const Options &options, QString *errorText)
{
    const auto profile = SimProfile::byName(options.profile);
    if (!profile) {
        *errorText = QStringLiteral("unknown simulated instrument \"%1\" (choose one of %2)")
                         .arg(options.profile, profileNames());
        return nullptr;
    }
    auto instrument = std::make_unique<SimulatedInstrument>(*profile);
    instrument->preload(options.recordsPerKind, options.spectra);
    if (options.startUnplugged)
        instrument->unplug();
    return std::unique_ptr<SimulatedSession>(new SimulatedSession(std::move(instrument)));
}

QString SimulatedSession::profileNames()
{
    return QStringLiteral("tq310, tq320, tq320e, legacy");
}

void SimulatedSession::addShortcuts(QWidget *window)
{
    auto *measure = new QShortcut(QKeySequence(Qt::Key_F5), window);
    connect(measure, &QShortcut::activated, this, [this] { instrument_->pressMeasureKey(); });
    auto *plug = new QShortcut(QKeySequence(Qt::Key_F6), window);
    connect(plug, &QShortcut::activated, this, [this] {
        if (instrument_->isPlugged())
            instrument_->unplug();
        else
            instrument_->plug();
    });
}
