#include "PollTicks.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <vector>

namespace tq::sim {
namespace {

TEST(PollTicks, RunsPostedCallsInOrderTimersAndReadableDescriptors) {
  PollTicks ticks;
  std::vector<int> order;
  ticks.post(5, [&] { order.push_back(3); });
  ticks.post(0, [&] { order.push_back(1); });
  ticks.post(0, [&] { order.push_back(2); });
  int fired = 0;
  auto timer = ticks.createTimer(10, [&] { ++fired; });
  timer->setEnabled(true);

  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  int readable = 0;
  ticks.watchReadable(fds[0], [&] {
    char c;
    if (::read(fds[0], &c, 1) == 1) ++readable;
  });
  ASSERT_EQ(::write(fds[1], "x", 1), 1);

  const double start = ticks.nowMs();
  ticks.wait(1);  // one tick, about 55 ms
  EXPECT_GE(ticks.nowMs() - start, kTickMs - 0.5);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  EXPECT_GE(fired, 3);
  EXPECT_EQ(readable, 1);

  timer.reset();  // a destroyed timer never fires again
  volatile std::sig_atomic_t stop = 0;
  ticks.post(20, [&] { stop = 1; });
  ticks.run(stop);
  EXPECT_EQ(readable, 1);
  ::close(fds[0]);
  ::close(fds[1]);
}

}  // namespace
}  // namespace tq::sim
