#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "album/AlbumPass.h"
#include "tests/support/FakePlatformUi.h"

namespace {

std::vector<std::string> Texts(const FakePlatformUi& ui) {
  std::vector<std::string> texts;
  for (const RecordedMessage& message : ui.messages) {
    texts.push_back(message.text);
  }
  return texts;
}

// Items finish out of order on two workers, yet what they said is said in item order, each
// followed by its own "said", and the pass ends unstopped with every item taken once.
TEST(AlbumPass, SaysWhatItemsSaidInItemOrder) {
  FakePlatformUi ui;
  std::vector<int> taken;
  std::vector<std::string> order;
  bool stopped = true;
  CAlbumPass::Work work;
  work.count = 6;
  work.threads = 2;
  work.run = [](int i, CPlatformUi& heard) {
    std::this_thread::sleep_for(std::chrono::milliseconds((6 - i) * 3));
    heard.MessageBox(nullptr, "item " + std::to_string(i), MsgIcon::Error, MsgButtons::Ok);
  };
  work.take = [&](const std::vector<int>& items) {
    taken.insert(taken.end(), items.begin(), items.end());
  };
  work.said = [&](int i) {
    order.push_back("said " + std::to_string(i) + " after " + Texts(ui).back());
  };
  work.finish = [&](bool wasStopped) { stopped = wasStopped; };
  CAlbumPass(work).RunToEnd(ui);

  EXPECT_EQ(Texts(ui),
            (std::vector<std::string>{"item 0", "item 1", "item 2", "item 3", "item 4", "item 5"}));
  EXPECT_EQ(order.front(), "said 0 after item 0");
  EXPECT_EQ(order.back(), "said 5 after item 5");
  std::sort(taken.begin(), taken.end());
  EXPECT_EQ(taken, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_FALSE(stopped);
}

// Stop lets no item begin after it and waits for those under way: the pass ends stopped, and
// only the items that ran say what they said.
TEST(AlbumPass, StopWaitsForItemsUnderWayAndBeginsNoOther) {
  FakePlatformUi ui;
  std::atomic<int> begun{0};
  std::atomic<bool> release{false};
  bool stopped = false;
  CAlbumPass::Work work;
  work.count = 50;
  work.threads = 1;
  work.run = [&](int i, CPlatformUi& heard) {
    ++begun;
    while (i == 1 && !release) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    heard.MessageBox(nullptr, "item " + std::to_string(i), MsgIcon::None, MsgButtons::Ok);
  };
  work.finish = [&](bool wasStopped) { stopped = wasStopped; };
  CAlbumPass pass(work);
  pass.Start();
  while (begun < 2) {
    std::this_thread::yield();
  }
  std::thread stopper([&pass] { pass.Stop(); });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // for Stop to be asked
  release = true;  // item 1, under way as Stop came, ends whole
  stopper.join();
  pass.Finish(ui);

  EXPECT_EQ(begun, 2);
  EXPECT_EQ(Texts(ui), (std::vector<std::string>{"item 0", "item 1"}));
  EXPECT_TRUE(stopped);
}

}  // namespace
