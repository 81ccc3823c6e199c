// The recorder wired to the system clock and the panels' counter source.
#include "mainwindow/history_recording.h"

#include "history/history_messages.h"
#include "history/interface_class.h"
#include "netdata/traffic_counter_pass.h"
#include "translations/plain_message.h"

namespace qn {

THistoryRecording::THistoryRecording(const std::string& AFileName, std::uint64_t AWriteIntervalMs,
                                     std::uint64_t AReadIntervalMs)
    : FRecorder(std::make_unique<THistoryRecorder>(
          FSource, FClock, THistoryRecorderOptions{AFileName, AWriteIntervalMs, AReadIntervalMs, 0})),
      FQuota(FClock, AFileName), FReadIntervalMs(AReadIntervalMs)
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
    FRecorder->Tick();
    Deliver();
    const std::uint64_t now = FClock.TickCount();
    // At the reading pace (half a second early counts, for the timer's jitter), so each check
    // sees one more read.
    if (FRecorder->Recording() && (!FQuotaChecked || now - FLastQuotaCheck + 500 >= FReadIntervalMs)) {
        FQuotaChecked = true;
        FLastQuotaCheck = now;
        FQuota.Check();
    }
}

void THistoryRecording::SetQuota(const TQuotaSettings& ASettings)
{
    FQuota.SetSettings(ASettings);
    FQuotaChecked = false; // the next tick checks the new cap
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
            OnMessage(TranslatePlainMessage(message, HistoryMessageContext, HistoryMessageTemplates).toStdString());
}

} // namespace qn
