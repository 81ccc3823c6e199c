// TSleepSignal: the desktop's announcement that the machine goes to sleep and has woken, from logind on the system bus.
#pragma once

#include <QObject>

#include <functional>

namespace qn {

// Listens for logind's PrepareForSleep(bool) on the system bus (true before the sleep, false
// after the wake). Without a system bus (a container, a minimal desktop) it listens to nothing and
// the program relies on its clocks alone (TSleepDetector); nothing waits on the bus.
class TSleepSignal : public QObject
{
    Q_OBJECT

public:
    explicit TSleepSignal(QObject* AParent = nullptr);

    // True while connected to a system bus and subscribed to the signal.
    bool Listening() const { return FListening; }

    std::function<void()> OnSleep;
    std::function<void()> OnResume;

private slots:
    void PrepareForSleep(bool AStart);

private:
    bool FListening = false;
};

} // namespace qn
