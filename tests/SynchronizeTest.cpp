#include "ui/Synchronize.h"

#include <gtest/gtest.h>
#include <process.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "TestSupport.h"
#include "ui/Handles.h"

using lumetta::test::DispatchFor;
using lumetta::test::DispatchUntil;
using lumetta::test::VisibleDialogOf;

namespace {

class HandOver : public ::testing::Test {
protected:
    void SetUp() override { ui::InitSynchronize(); }
    const DWORD gui = GetCurrentThreadId();
};

// A worker thread with a handle to wait for.
ui::KernelHandle StartWorker(std::function<void()>& body)
{
    return ui::KernelHandle(reinterpret_cast<HANDLE>(_beginthreadex(
        nullptr, 0, [](void* b) -> unsigned { (*static_cast<std::function<void()>*>(b))(); return 0; }, &body, 0,
        nullptr)));
}

TEST_F(HandOver, WorkerWaitsUntilTheGuiThreadHasRunTheCall)
{
    EXPECT_TRUE(ui::IsGuiThread());
    std::atomic<DWORD> ranOn{0};
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        EXPECT_FALSE(ui::IsGuiThread());
        ui::Synchronize([&] { ranOn = GetCurrentThreadId(); });
        returned = true;
    });
    Sleep(150); // no message handled: the call waits, and so does the worker
    EXPECT_EQ(ranOn, 0u);
    EXPECT_FALSE(returned);
    EXPECT_TRUE(DispatchUntil([&] { return returned.load(); }, 5000));
    EXPECT_EQ(ranOn, gui);
    worker.join();
}

TEST_F(HandOver, OnTheGuiThreadTheCallRunsAtOnce)
{
    int calls = 0;
    ui::Synchronize([&] { ++calls; });
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(ui::CheckSynchronize());
}

TEST_F(HandOver, WhatTheCallThrowsReachesTheWorker)
{
    std::string caught;
    std::thread worker([&] {
        try {
            ui::Synchronize([] { throw std::runtime_error("failed on the GUI thread"); });
        } catch (const std::runtime_error& error) {
            caught = error.what();
        }
    });
    while (!ui::CheckSynchronize())
        Sleep(1);
    worker.join();
    EXPECT_EQ(caught, "failed on the GUI thread");
}

TEST_F(HandOver, CallsRunInsideAMessageBoxLoop)
{
    std::atomic<bool> sawDialog{false};
    std::thread worker([&] {
        Sleep(200);
        ui::Synchronize([&] {
            // On the GUI thread, inside the message box's own loop: end it from here.
            if (HWND box = VisibleDialogOf(GetCurrentThreadId())) {
                sawDialog = true;
                PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
            }
        });
    });
    const int answer = MessageBoxA(nullptr, "Waiting for the worker", "Lumetta test", MB_OKCANCEL);
    worker.join();
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(answer, IDCANCEL);
}

TEST_F(HandOver, CallsRunInsideAMenuLoop)
{
    HWND owner = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 300, 300, 50, 50, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "Lock");
    AppendMenuA(menu, MF_STRING, 2, "Remove");
    std::atomic<bool> ran{false};
    std::thread worker([&] {
        Sleep(300);
        ui::Synchronize([&] {
            ran = true;
            EndMenu();
        });
    });
    SetForegroundWindow(owner);
    const ULONGLONG start = GetTickCount64();
    TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 310, 310, 0, owner, nullptr);
    const ULONGLONG spent = GetTickCount64() - start;
    DispatchUntil([&] { return ran.load(); }, 5000);
    worker.join();
    EXPECT_TRUE(ran);
    EXPECT_GE(spent, 250u) << "the menu loop ended before the call came";
    DestroyMenu(menu);
    DestroyWindow(owner);
}

TEST_F(HandOver, WaitingOnTheGuiThreadStillRunsHandedOverCalls)
{
    int calls = 0;
    std::function<void()> body = [&] {
        for (int i = 0; i < 3; ++i)
            ui::Synchronize([&] { ++calls; });
    };
    ui::KernelHandle worker = StartWorker(body);
    // Nothing here dispatches messages: the wait itself runs the calls, or it never ends.
    EXPECT_EQ(ui::WaitWithSynchronize(worker.Get(), 5000), WAIT_OBJECT_0);
    EXPECT_EQ(calls, 3);

    ui::KernelHandle never(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(ui::WaitWithSynchronize(never.Get(), 100), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_GE(GetTickCount64() - start, 90u);
}

TEST_F(HandOver, ManyWorkersAtOnce)
{
    constexpr int Workers = 4, CallsEach = 50;
    int total = 0; // touched on the GUI thread only
    std::atomic<int> finished{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < Workers; ++w)
        workers.emplace_back([&] {
            for (int i = 0; i < CallsEach; ++i)
                ui::Synchronize([&] { ++total; });
            ++finished;
        });
    EXPECT_TRUE(DispatchUntil([&] { return finished == Workers; }, 10000));
    for (auto& worker : workers)
        worker.join();
    EXPECT_EQ(total, Workers * CallsEach);
}

} // namespace
