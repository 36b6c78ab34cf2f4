#include "agent/ThdTimer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "TestSupport.h"

using namespace lumetta;
using lumetta::test::DispatchFor;
using lumetta::test::DispatchUntil;
using lumetta::test::VisibleDialogOf;

namespace {

// The machine is shared and Wine's waits are coarse: timings are checked with generous margins.
constexpr ULONGLONG Early = 30;  // a tick may come this much before its time
constexpr ULONGLONG Late = 250;  // ... or this much after it

// Records when each tick came, in milliseconds since Start.
class TickLog {
public:
    explicit TickLog(TThreadedTimer& timer)
    {
        timer.OnTimer = [this](ui::Component&) {
            EXPECT_EQ(GetCurrentThreadId(), gui_);
            ticks_.push_back(GetTickCount64() - start_);
            if (onTick_)
                onTick_();
        };
    }
    void Start() { start_ = GetTickCount64(); }
    ULONGLONG Now() const { return GetTickCount64() - start_; }
    std::size_t Count() const { return ticks_.size(); }
    ULONGLONG operator[](std::size_t i) const { return ticks_.at(i); }
    bool WaitFor(std::size_t count, DWORD milliseconds)
    {
        return DispatchUntil([&] { return ticks_.size() >= count; }, milliseconds);
    }
    std::function<void()> onTick_;

private:
    const DWORD gui_ = GetCurrentThreadId();
    ULONGLONG start_ = GetTickCount64();
    std::vector<ULONGLONG> ticks_;
};

void ExpectNear(ULONGLONG actual, ULONGLONG expected)
{
    EXPECT_GE(actual + Early, expected);
    EXPECT_LE(actual, expected + Late);
}

TEST(ThreadedTimer, FirstTickComesOneFullIntervalAfterEnabling)
{
    TThreadedTimer timer;
    TickLog log(timer);
    timer.SetInterval(200);
    log.Start();
    timer.SetEnabled(true);
    ASSERT_TRUE(log.WaitFor(4, 3000));
    ExpectNear(log[0], 200);
    ExpectNear(log[3], 800);
}

TEST(ThreadedTimer, DisablingInsideTheTickStopsTheTicks)
{
    TThreadedTimer timer;
    TickLog log(timer);
    timer.SetInterval(100);
    log.onTick_ = [&] { timer.SetEnabled(false); };
    timer.SetEnabled(true);
    ASSERT_TRUE(log.WaitFor(1, 2000));
    DispatchFor(400);
    EXPECT_EQ(log.Count(), 1u);

    // Enabled again later: the next tick one full interval after that.
    log.onTick_ = nullptr;
    log.Start();
    timer.SetEnabled(true);
    ASSERT_TRUE(log.WaitFor(2, 2000));
    ExpectNear(log[1], 100);
}

TEST(ThreadedTimer, ANewIntervalRestartsTheWaitAndTheSameOneChangesNothing)
{
    TThreadedTimer timer;
    TickLog log(timer);
    timer.SetInterval(400);
    log.Start();
    timer.SetEnabled(true);
    DispatchFor(200);
    timer.SetInterval(400); // the same: the wait goes on
    ASSERT_TRUE(log.WaitFor(1, 2000));
    ExpectNear(log[0], 400);

    DispatchFor(200);
    const ULONGLONG changed = log.Now();
    timer.SetInterval(300);
    EXPECT_TRUE(timer.Enabled());
    ASSERT_TRUE(log.WaitFor(2, 2000));
    ExpectNear(log[1], changed + 300);
}

TEST(ThreadedTimer, IntervalZeroWithoutAllowZeroGivesNoTicksUntilAnInterval)
{
    TThreadedTimer timer;
    TickLog log(timer);
    timer.SetInterval(0);
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Enabled());
    DispatchFor(300);
    EXPECT_EQ(log.Count(), 0u);

    // AllowZero alone starts nothing; it counts at the next change of Enabled or Interval.
    timer.AllowZero = true;
    DispatchFor(200);
    EXPECT_EQ(log.Count(), 0u);
    timer.AllowZero = false;

    log.Start();
    timer.SetInterval(200);
    ASSERT_TRUE(log.WaitFor(2, 3000));
    ExpectNear(log[0], 200);
    ExpectNear(log[1], 400);
}

TEST(ThreadedTimer, IntervalZeroWithAllowZeroTicksAsFastAsTheGuiThreadTakesThem)
{
    TThreadedTimer timer;
    TickLog log(timer);
    timer.AllowZero = true;
    timer.SetInterval(0);
    timer.SetEnabled(true);
    DispatchFor(300);
    EXPECT_GT(log.Count(), 5u); // far more on a quiet machine; a loaded one still ticks

    // AllowZero cleared while running: nothing changes until Enabled changes.
    timer.AllowZero = false;
    const std::size_t before = log.Count();
    DispatchFor(100);
    EXPECT_GT(log.Count(), before);
    timer.SetEnabled(false);
    DispatchFor(50);
    const std::size_t stopped = log.Count();
    timer.SetEnabled(true);
    DispatchFor(200);
    EXPECT_EQ(log.Count(), stopped);
}

TEST(ThreadedTimer, AnInfiniteIntervalNeverTicks)
{
    TThreadedTimer timer;
    TickLog log(timer);
    timer.SetInterval(INFINITE);
    timer.SetEnabled(true);
    DispatchFor(300);
    EXPECT_EQ(log.Count(), 0u);
}

TEST(ThreadedTimer, AFailingTickDoesNotStopTheTimer)
{
    TThreadedTimer timer;
    TickLog log(timer);
    log.onTick_ = [] { throw std::runtime_error("tick failed"); };
    timer.SetInterval(50);
    timer.SetEnabled(true);
    EXPECT_TRUE(log.WaitFor(3, 3000));
}

TEST(ThreadedTimer, TicksRunInsideAModalLoop)
{
    TThreadedTimer timer;
    TickLog log(timer);
    log.onTick_ = [&] {
        timer.SetEnabled(false);
        PostMessageA(VisibleDialogOf(GetCurrentThreadId()), WM_COMMAND, IDOK, 0);
    };
    timer.SetInterval(300);
    timer.SetEnabled(true);
    EXPECT_EQ(MessageBoxA(nullptr, "Waiting for a tick", "Lumetta test", MB_OK), IDOK);
    EXPECT_EQ(log.Count(), 1u);
}

// Destruction never blocks and never calls the handler.
class TimerDestruction : public ::testing::Test {
protected:
    int calls = 0;
    std::unique_ptr<TThreadedTimer> timer = std::make_unique<TThreadedTimer>();
    void SetUp() override
    {
        timer->OnTimer = [this](ui::Component&) { ++calls; };
    }
    // Destroys the timer and returns how long that took.
    ULONGLONG Destroy()
    {
        const ULONGLONG start = GetTickCount64();
        timer.reset();
        return GetTickCount64() - start;
    }
};

TEST_F(TimerDestruction, OfAnEnabledTimer)
{
    timer->SetInterval(INFINITE);
    timer->SetEnabled(true);
    DispatchFor(50);
    EXPECT_LT(Destroy(), 200u);
    EXPECT_EQ(calls, 0);
}

TEST_F(TimerDestruction, OfATimerNeverEnabledOrDisabledAgain)
{
    EXPECT_LT(Destroy(), 200u);
    timer = std::make_unique<TThreadedTimer>();
    timer->SetInterval(40);
    timer->SetEnabled(true);
    timer->SetEnabled(false);
    Sleep(100); // the interrupted wait runs out while disabled
    EXPECT_LT(Destroy(), 200u);
    DispatchFor(100);
    EXPECT_EQ(calls, 0);
}

TEST_F(TimerDestruction, OfATimerWhoseTickWaitsForTheGuiThread)
{
    timer->SetInterval(20);
    timer->SetEnabled(true);
    Sleep(200); // no message handled: the worker has handed a tick over and waits for it
    EXPECT_LT(Destroy(), 200u);
    DispatchFor(100); // what was posted for the tick finds nothing to run
    EXPECT_EQ(calls, 0);
}

TEST_F(TimerDestruction, ByItsOwnerWithTheStoredProperties)
{
    timer.reset();
    auto owner = std::make_unique<ui::Component>();
    auto* owned = owner->Add<TThreadedTimer>({.name = "FadeOutTimer", .interval = 200});
    EXPECT_EQ(owned->Name(), "FadeOutTimer");
    EXPECT_EQ(owned->GetInterval(), 200u);
    EXPECT_FALSE(owned->Enabled());
    EXPECT_FALSE(owned->AllowZero);
    EXPECT_EQ(owned->ReadThreadPriority(), ui::ThreadPriority::Normal);
    owned->OnTimer = [this](ui::Component&) { ++calls; };
    owned->SetEnabled(true);
    ASSERT_TRUE(DispatchUntil([&] { return calls > 0; }, 2000));
    calls = 0;
    Sleep(300); // a tick waits for the GUI thread again
    const ULONGLONG start = GetTickCount64();
    owner.reset();
    EXPECT_LT(GetTickCount64() - start, 200u);
    DispatchFor(100);
    EXPECT_EQ(calls, 0);
}

} // namespace
