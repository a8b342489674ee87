// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class ReportTransport;

// What a support engineer asks a lab to send: every HID report and every frame that crosses the
// link, one line each, "hh:mm:ss.zzz -> report 3f 0a ab 40 ..." (-> sent, <- received; a
// report without its padding). Off unless started; lines are buffered and written out when the
// buffer fills, at most 200 ms after they came, and when the trace stops, so tracing does not
// slow the link and a crash loses little of the end.
namespace ProtocolTrace {

enum class Direction { Sent, Received };

// Starts writing to fileName (replaced); false with errorText when it cannot be opened.
bool start(const QString &fileName, QString *errorText = nullptr);
// Writes out what is buffered and closes the file. Also done at exit.
void stop();
bool isOn();

void report(Direction direction, const QByteArray &report);
void frame(Direction direction, const QByteArray &frame);

// The transport itself while no trace runs; otherwise one that records its reports.
std::unique_ptr<ReportTransport> traced(std::unique_ptr<ReportTransport> transport);

} // namespace ProtocolTrace
