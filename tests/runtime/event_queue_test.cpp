// The ring of queued events.
#include <gtest/gtest.h>

#include "runtime/event_queue.h"
#include "runtime/messages.h"

namespace {

EventRecord keyRecord(uint32_t message, uint32_t code) {
    EventRecord record;
    record.message = message;
    record.wparam = code;
    return record;
}

TEST(EventQueue, OverflowDropsTheOldestAndKeepsTheNewest1023) {
    EventQueue queue;
    for (uint32_t i = 0; i < 1024; ++i)
        queue.push(keyRecord(msg::kChar, i));
    EXPECT_EQ(queue.pending(), 1023);
    EventRecord record;
    ASSERT_TRUE(queue.pop(record));
    EXPECT_EQ(record.wparam, 1u);
    for (uint32_t i = 0; i < 5000; ++i)
        queue.push(keyRecord(msg::kChar, i));
    EXPECT_EQ(queue.pending(), 1023);
    ASSERT_TRUE(queue.pop(record));
    EXPECT_EQ(record.wparam, 5000u - 1023u);
}

TEST(EventQueue, UnpopAfterPopPutsTheEventBack) {
    EventQueue queue;
    EventRecord record;
    EXPECT_FALSE(queue.pop(record));
    queue.push(keyRecord(msg::kChar, 'a'));
    queue.push(keyRecord(msg::kChar, 'b'));
    ASSERT_TRUE(queue.pop(record));
    EXPECT_TRUE(queue.unpop());
    EXPECT_EQ(queue.last().wparam, static_cast<uint32_t>('a'));
    ASSERT_TRUE(queue.pop(record));
    EXPECT_EQ(record.wparam, static_cast<uint32_t>('a'));

    // With the ring full there is no slot behind the read position.
    EventQueue full;
    for (int i = 0; i < 1024; ++i)
        full.push(keyRecord(msg::kChar, 'x'));
    EXPECT_FALSE(full.unpop());
    ASSERT_TRUE(full.pop(record));
    EXPECT_TRUE(full.unpop());
}

TEST(EventQueue, TakeSkipsMouseEventsAndGivesKeyCodes) {
    EventQueue queue;
    queue.push(keyRecord(msg::kMouseMove, 0));
    queue.push(keyRecord(msg::kKeyDown, 0x41));
    queue.push(keyRecord(msg::kChar, 'a'));
    queue.push(keyRecord(msg::kKeyUp, 0x41));
    queue.push(keyRecord(msg::kLeftButtonDown, 1));
    EXPECT_EQ(queue.take(), 0x41 | KEYCODE_DOWN);
    EXPECT_EQ(queue.take(), 'a' | KEYCODE_CHAR);
    EXPECT_EQ(queue.take(), 0x41 | KEYCODE_UP);
    EXPECT_EQ(queue.take(), 0);
    EXPECT_EQ(queue.pending(), 0);
}

TEST(EventQueue, VisitSeesPendingEventsInPlace) {
    EventQueue queue;
    for (uint32_t i = 0; i < 3; ++i)
        queue.push(keyRecord(msg::kChar, i));
    EventRecord record;
    queue.pop(record);
    int visited = 0;
    queue.visit([&](EventRecord& event) {
        event.handled |= 1;
        ++visited;
    });
    EXPECT_EQ(visited, 2);
    ASSERT_TRUE(queue.pop(record));
    EXPECT_EQ(record.handled, 1u);
    queue.clear();
    EXPECT_EQ(queue.pending(), 0);
}

}  // namespace
