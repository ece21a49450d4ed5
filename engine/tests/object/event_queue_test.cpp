// The event queue: what the mask and the limit let in, how GetEvents
// drains it, and how the notify rounds announce the events.
#include "engine/object/event_queue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Post {
  HWND window;
  UINT message;
  UINT count;
  DWORD cookie;
};

class EventQueueTest : public ::testing::Test {
 protected:
  EventQueueTest()
      : queue_([this](HWND window, UINT message, UINT count, DWORD cookie) {
          posts_.push_back({window, message, count, cookie});
        }) {}

  std::vector<TTSEvent> Drain() {
    std::vector<TTSEvent> events(EventQueue::kMaxEvents + 10);
    UINT got = 0;
    EXPECT_EQ(queue_.Get(events.data(), static_cast<UINT>(events.size()), &got), S_OK);
    events.resize(got);
    return events;
  }

  static void Callback(UINT count, LPVOID context) {
    static_cast<EventQueueTest*>(context)->callbacks_.push_back(count);
  }

  std::vector<Post> posts_;
  std::vector<UINT> callbacks_;
  EventQueue queue_;
};

HWND Window() { return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1234)); }

TEST_F(EventQueueTest, MaskSelectsTypesAndGetEventsDrainsInOrder) {
  queue_.Queue(TE_SpeechStart, 0, 0);
  EXPECT_TRUE(Drain().empty());

  queue_.SetMask(TE_WordSpan | TE_SpeechEnd);
  queue_.Queue(TE_SpeechStart, 0, 0);
  queue_.Queue(TE_WordSpan, 3, 7);
  queue_.Queue(TE_SentenceSpan, 0, 9);
  queue_.Queue(TE_WordSpan, 8, 9);
  queue_.Queue(TE_SpeechEnd, 0, 0);

  TTSEvent first[2];
  UINT got = 7;
  EXPECT_EQ(queue_.Get(first, 0, &got), S_OK);
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(queue_.Get(first, 2, &got), S_OK);
  ASSERT_EQ(got, 2u);
  EXPECT_EQ(first[0].type, TE_WordSpan);
  EXPECT_EQ(first[0].param1, 3u);
  EXPECT_EQ(first[0].param2, 7u);
  EXPECT_EQ(first[1].param1, 8u);
  std::vector<TTSEvent> rest = Drain();
  ASSERT_EQ(rest.size(), 1u);
  EXPECT_EQ(rest[0].type, TE_SpeechEnd);
  EXPECT_EQ(queue_.Get(nullptr, 1, &got), E_POINTER);
  EXPECT_EQ(queue_.Get(first, 1, nullptr), E_POINTER);
}

TEST_F(EventQueueTest, QueueIsCappedAndSetMaskForgetsIt) {
  queue_.SetMask(0x3F);
  queue_.SetCallback(&Callback, this);
  for (UINT i = 0; i < EventQueue::kMaxEvents + 5; ++i) queue_.Queue(TE_WordSpan, i, i + 1);
  queue_.DispatchNotifications();
  EXPECT_EQ(callbacks_, std::vector<UINT>{10000});
  std::vector<TTSEvent> events = Drain();
  ASSERT_EQ(events.size(), EventQueue::kMaxEvents);
  EXPECT_EQ(events.back().param1, 9999u);

  queue_.Queue(TE_SpeechEnd, 0, 0);
  queue_.SetMask(0x3F);
  EXPECT_TRUE(Drain().empty());
  queue_.DispatchNotifications();
  EXPECT_EQ(callbacks_.size(), 1u);
}

TEST_F(EventQueueTest, OneRoundAnnouncesABurstOnceToCallbackAndWindow) {
  queue_.DispatchNotifications();
  queue_.SetMask(0x3F);
  queue_.SetCallback(&Callback, this);
  queue_.SetNotifyWindow(Window(), 0x401, 77);
  queue_.Queue(TE_SpeechStart, 0, 0);
  queue_.Queue(TE_SentenceSpan, 0, 5);
  queue_.Queue(TE_WordSpan, 0, 2);
  queue_.DispatchNotifications();
  queue_.DispatchNotifications();
  EXPECT_EQ(callbacks_, std::vector<UINT>{3});
  ASSERT_EQ(posts_.size(), 1u);
  EXPECT_EQ(posts_[0].window, Window());
  EXPECT_EQ(posts_[0].message, 0x401u);
  EXPECT_EQ(posts_[0].count, 3u);
  EXPECT_EQ(posts_[0].cookie, 77u);

  queue_.SetCallback(nullptr, nullptr);
  queue_.SetNotifyWindow(nullptr, 0, 0);
  queue_.Queue(TE_SpeechEnd, 0, 0);
  queue_.DispatchNotifications();
  EXPECT_EQ(callbacks_.size(), 1u);
  EXPECT_EQ(posts_.size(), 1u);
}

// An event queued while the client is being told of earlier ones gets an
// announcement of its own.
TEST_F(EventQueueTest, EventQueuedDuringAnnouncementIsAnnouncedNextRound) {
  struct Context {
    EventQueue* queue;
    std::vector<UINT> counts;
  } context{&queue_, {}};
  queue_.SetMask(0x3F);
  queue_.SetCallback(
      [](UINT count, LPVOID raw) {
        auto* c = static_cast<Context*>(raw);
        c->counts.push_back(count);
        if (c->counts.size() == 1) c->queue->Queue(TE_SpeechEnd, 0, 0);
      },
      &context);
  queue_.SetNotifyWindow(Window(), 0x401, 1);
  queue_.Queue(TE_WordSpan, 0, 1);
  queue_.DispatchNotifications();
  queue_.DispatchNotifications();
  EXPECT_EQ(context.counts, (std::vector<UINT>{1, 1}));
  ASSERT_EQ(posts_.size(), 2u);
  EXPECT_EQ(posts_[1].count, 1u);
}

}  // namespace
