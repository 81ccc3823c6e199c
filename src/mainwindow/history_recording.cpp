// The recorder wired to the system clock and the panels' counter source.
#include "mainwindow/history_recording.h"

namespace qn {

THistoryRecording::THistoryRecording(const std::string& AFileName, std::uint64_t AWriteIntervalMs,
                                     std::uint64_t AReadIntervalMs)
    : FRecorder(std::make_unique<THistoryRecorder>(
          FSource, FClock, THistoryRecorderOptions{AFileName, AWriteIntervalMs, AReadIntervalMs, 0}))
{
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
        const TAdapter a = ANCC.Adapters(static_cast<std::uint16_t>(i));
        interfaces.push_back({a.Name, a.IntfIdx});
    }
    FRecorder->SetInterfaces(std::move(interfaces));
}

void THistoryRecording::Tick()
{
    FRecorder->Tick();
    Deliver();
}

void THistoryRecording::Stop()
{
    FRecorder->Stop();
}

void THistoryRecording::WriteNow()
{
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
