#pragma once

#include "HotplugSource.h"

#include <QString>
#include <memory>

class SimulatedInstrument;
class QWidget;

// `lumivex --simulate`: a simulated meter stands in for the USB device. Its transport is
// installed for every new link, its plugging and unplugging arrive as hot-plug events, and
// keys on the main window play the instrument's own buttons.
class SimulatedSession : public HotplugSource
{
    Q_OBJECT
public:
    struct Options
    {
        QString profile;
        int recordsPerKind = 12;
        int spectra = 8;
        bool startUnplugged = false;
    };

    // Null with errorText set when the profile is unknown.
    static std::unique_ptr<SimulatedSession> create(const Options &options, QString *errorText);
    ~SimulatedSession() override;

    SimulatedInstrument &instrument() { return *instrument_; }
    // F5 presses the instrument's measure key, F6 plugs or unplugs it.
    void addShortcuts(QWidget *window);
    static QString profileNames();

private:
    explicit SimulatedSession(std::unique_ptr<SimulatedInstrument> instrument);

    std::shared_ptr<SimulatedInstrument> instrument_;
};
