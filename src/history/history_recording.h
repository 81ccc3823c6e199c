// THistoryRecording: the program's traffic recorder, fed by the main window's one-second pass.
#pragma once

#include "history/history_recorder.h"
#include "history/quota_monitor.h"
#include "netdata/ip_helper_counter_source.h"
#include "netdata/network_configuration.h"
#include "platform/clock.h"

#include <functional>
#include <memory>
#include <string>

namespace qn {

// The recorder with the program's clock and the panels' own counter source (64-bit rows when the
// binding has them). The main window calls SetInterfaces after each refresh of its snapshot and
// Tick from its one-second timer; messages of the recorder reach OnMessage on that thread, each
// once. The recorder reads the counters at most every five seconds of monotonic time (see
// THistoryRecorder for why), whatever the ticks. The data cap is checked at the same pace, from the recorder's counts,
// while this copy records (another copy that records gives the warnings); each warning due reaches OnQuotaWarning once
// per period. Each SetInterfaces classes the present interfaces (one more kernel read per change, none per tick) for
// the recorder to store and the cap to count.
class THistoryRecording
{
public:
    // AClock is borrowed and outlives the recording.
    THistoryRecording(IClock& AClock, const std::string& AFileName, std::uint64_t AWriteIntervalMs = 60000,
                      std::uint64_t AReadIntervalMs = HistoryReadIntervalMs);
    ~THistoryRecording();

    // Takes the file for this program; false when another running copy records into it.
    bool Start();
    void SetInterfaces(const TNetworkConfiguration& ANCC);
    void Tick();
    void SetQuota(const TQuotaSettings& ASettings);
    // As of the last check; Limit 0 without a cap or before the first check.
    const TQuotaStatus& QuotaStatus() const { return FQuota.Status(); }
    bool Recording() const { return FRecorder->Recording(); }
    // The read and write at Exit.
    void Stop();
    // The same read and write without stopping (a save the session asks for, a sleep).
    void WriteNow();

    const std::string& FileName() const { return FRecorder->FileName(); }
    THistoryRecorder& Recorder() { return *FRecorder; }

    std::function<void(const std::string& AMessage)> OnMessage;
    std::function<void(const TQuotaWarning& AWarning)> OnQuotaWarning;

private:
    void Deliver();

    TIpHelperCounterSource FSource;
    IClock& FClock;
    std::unique_ptr<THistoryRecorder> FRecorder;
    TQuotaMonitor FQuota;
    bool FQuotaDue = false; // a new cap is checked at the next tick
};

} // namespace qn
