// Auto-reset events and the joined worker thread.
#include "framework/event.h"
#include "framework/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

TEST(Event, StartsUnsignalledAndEachSetIsConsumedByOneWait) {
    CEvent event;
    ASSERT_TRUE(event);
    EXPECT_FALSE(event.Wait(0));
    event.Set();
    event.Set();  // not counted: still one signal
    EXPECT_TRUE(event.Wait(0));
    EXPECT_FALSE(event.Wait(0));
}

struct Work {
    CEvent* go;
    std::atomic<int> state{0};
};

unsigned WaitThenFinish(void* param) {
    auto* work = static_cast<Work*>(param);
    work->state = 1;
    work->go->Wait(INFINITE);
    Sleep(50);
    work->state = 2;
    return 0;
}

TEST(WorkerThread, DestructorWaitsForTheThreadsEnd) {
    CEvent go;
    Work work;
    work.go = &go;
    {
        CWorkerThread thread;
        ASSERT_TRUE(thread.Start(WaitThenFinish, &work));
        EXPECT_TRUE(thread.IsStarted());
        EXPECT_FALSE(thread.Start(WaitThenFinish, &work));
        go.Set();
    }
    EXPECT_EQ(2, work.state);
}

TEST(WorkerThread, EventWokenByAnotherThreadIsSeenByTheWaiter) {
    CEvent answer;
    CWorkerThread thread;
    ASSERT_TRUE(thread.Start([](void* param) -> unsigned {
        static_cast<CEvent*>(param)->Set();
        return 0;
    }, &answer));
    EXPECT_TRUE(answer.Wait(INFINITE));
    thread.Join();
    EXPECT_FALSE(thread.IsStarted());
    thread.Join();
}

}  // namespace
