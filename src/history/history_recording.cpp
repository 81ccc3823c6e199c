// The recorder wired to the system clock and the panels' counter source.
#include "history/history_recording.h"

#include "history/interface_class.h"
#include "netdata/traffic_counter_pass.h"

namespace qn {

THistoryRecording::THistoryRecording(IClock& AClock, const std::string& AFileName, std::uint64_t AWriteIntervalMs,
                                     std::uint64_t AReadIntervalMs)
    : FClock(AClock), FRecorder(std::make_unique<THistoryRecorder>(
                          FSource, FClock, THistoryRecorderOptions{AFileName, AWriteIntervalMs, AReadIntervalMs, 0})),
      FQuota(FClock, AFileName)
{
    FQuota.LiveBytes = [this](const std::string& AName, std::int64_t AFirstDay, std::int64_t AEndDay,
                              bool AHandedOver) {
        return FRecorder->ReadBytes(AName, AFirstDay, AEndDay, AHandedOver);
    };
    FQuota.Flush = [this] { FRecorder->Flush(); };
    FQuota.Remember = [this](const std::string& APeriodId, int ALevel) {
        FRecorder->RememberWarning(APeriodId, ALevel);
    };
    FQuota.OnWarning = [this](const TQuotaWarning& AWarning) {
        if (OnQuotaWarning)
            OnQuotaWarning(AWarning);
    };
}

THistoryRecording::~THistoryRecording()
{
    FRecorder.reset(); // stops the worker before the source and clock go
}

bool THistoryRecording::Start()
{
    const bool started = FRecorder->Start();
    Deliver();
    return started;
}

void THistoryRecording::SetInterfaces(const TNetworkConfiguration& ANCC)
{
    std::vector<THistoryInterface> interfaces;
    interfaces.reserve(static_cast<std::size_t>(ANCC.AdapterCount()));
    for (int i = 0; i < ANCC.AdapterCount(); ++i) {
        const TAdapter& a = ANCC.Adapters(static_cast<std::uint16_t>(i));
        interfaces.push_back({a.Name, a.IntfIdx});
    }
    FRecorder->SetInterfaces(std::move(interfaces));
    std::map<std::string, TInterfaceClass> classes = PresentInterfaceClasses();
    FRecorder->SetClasses(classes);
    FQuota.SetPresent(std::move(classes));
}

void THistoryRecording::Tick()
{
    const bool read = FRecorder->Tick();
    Deliver();
    // After each read, so each check sees one more read, and at the first tick after a new cap.
    if ((read || FQuotaDue) && FRecorder->Recording()) {
        FQuotaDue = false;
        FQuota.Check();
    }
}

void THistoryRecording::SetQuota(const TQuotaSettings& ASettings)
{
    FQuota.SetSettings(ASettings);
    FQuotaDue = true;
}

void THistoryRecording::Stop()
{
    // The last read must see what moved since the shared pass was taken, up to a second ago.
    HostCounterPass().Invalidate();
    FRecorder->Stop();
}

void THistoryRecording::WriteNow()
{
    HostCounterPass().Invalidate();
    FRecorder->WriteNow();
    Deliver();
}

void THistoryRecording::Deliver()
{
    for (const std::string& message : FRecorder->TakeMessages())
        if (OnMessage)
            OnMessage(message);
}

} // namespace qn
