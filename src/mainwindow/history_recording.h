// THistoryRecording: the program's traffic recorder, fed by the main window's one-second pass.
#pragma once

#include "history/history_clock.h"
#include "history/history_recorder.h"
#include "netdata/ip_helper_counter_source.h"
#include "netdata/network_configuration.h"

#include <functional>
#include <memory>
#include <string>

namespace qn {

// The recorder with the system clock and the panels' own counter source (64-bit rows when the
// binding has them). The main window calls SetInterfaces after each refresh of its snapshot and
// Tick from its one-second timer; messages of the recorder reach OnMessage on that thread, each
// once. The recorder reads every fifth pass (see THistoryRecorder for why).
class THistoryRecording
{
public:
    explicit THistoryRecording(const std::string& AFileName, std::uint64_t AWriteIntervalMs = 60000,
                               std::uint64_t AReadIntervalMs = 5000);
    ~THistoryRecording();

    // Takes the file for this program; false when another running copy records into it.
    bool Start();
    void SetInterfaces(const TNetworkConfiguration& ANCC);
    void Tick();
    // The read and write at Exit.
    void Stop();
    // The same read and write without stopping (a save the session asks for, a sleep).
    void WriteNow();

    const std::string& FileName() const { return FRecorder->FileName(); }
    THistoryRecorder& Recorder() { return *FRecorder; }

    std::function<void(const std::string& AMessage)> OnMessage;

private:
    void Deliver();

    TIpHelperCounterSource FSource;
    TSystemHistoryClock FClock;
    std::unique_ptr<THistoryRecorder> FRecorder;
};

} // namespace qn
