// The ring of queued events.
#include <gtest/gtest.h>

#include <vector>

#include "platform/messages.h"
#include "runtime/event_queue.h"

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

TEST(EventQueue, DropUntilDropsWhatIsUnwantedAndLeavesTheHeadPending) {
    const auto isChar = [](const EventRecord& r) { return r.message == msg::kChar; };
    EventQueue queue;
    EventRecord record;
    EXPECT_FALSE(queue.dropUntil(isChar, record));
    queue.push(keyRecord(msg::kMouseMove, 0));
    queue.push(keyRecord(msg::kChar, 'a'));
    queue.push(keyRecord(msg::kChar, 'b'));
    ASSERT_TRUE(queue.dropUntil(isChar, record));
    EXPECT_EQ(record.wparam, static_cast<uint32_t>('a'));
    EXPECT_EQ(queue.last().wparam, static_cast<uint32_t>('a'));
    EXPECT_EQ(queue.pending(), 2);
    ASSERT_TRUE(queue.pop(record));
    EXPECT_EQ(record.wparam, static_cast<uint32_t>('a'));

    // A full ring keeps its head too: nothing is taken out to be put back.
    EventQueue full;
    for (uint32_t i = 0; i < 1024; ++i)
        full.push(keyRecord(msg::kChar, i));
    ASSERT_TRUE(full.dropUntil(isChar, record));
    EXPECT_EQ(full.pending(), 1023);
    ASSERT_TRUE(full.pop(record));
    EXPECT_EQ(record.wparam, 1u);

    // Nothing wanted: every pending event is dropped.
    queue.push(keyRecord(msg::kMouseMove, 0));
    EXPECT_FALSE(queue.dropUntil([](const EventRecord&) { return false; }, record));
    EXPECT_EQ(queue.pending(), 0);
}

TEST(EventQueue, AgesHoldAcrossTheTickCountsWrap) {
    EventRecord record;
    record.time = 0xFFFFFF00u;
    EXPECT_EQ(ageAt(record, 0xFFFFFF00u + 999), 999);
    EXPECT_EQ(ageAt(record, 0x000000E8u), 0x100 + 0xE8);  // the count has wrapped since
    EXPECT_EQ(ageAt(record, 0xFFFFFEFFu), -1);            // queued after the moment asked about
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

TEST(EventQueue, VisitHandsEachPendingEventOnceAndMayUseTheQueue) {
    EventQueue queue;
    for (uint32_t i = 0; i < 3; ++i)
        queue.push(keyRecord(msg::kChar, i));
    EventRecord record;
    queue.pop(record);
    std::vector<uint32_t> visited;
    queue.visitUnhandled([&](EventRecord& event) {
        visited.push_back(event.wparam);
        // The queue is not locked: a visitor may read from it and nest another visit, which
        // skips what was handed on already and hands on what came since.
        if (event.wparam == 1) {
            queue.push(keyRecord(msg::kChar, 3));
            EXPECT_EQ(queue.pending(), 3);
            queue.visitUnhandled(
                [&](EventRecord& nested) { visited.push_back(nested.wparam + 10); });
        }
    });
    EXPECT_EQ(visited, (std::vector<uint32_t>{1, 12, 13}));
    ASSERT_TRUE(queue.pop(record));
    EXPECT_EQ(record.handled, 1u);
    queue.visitUnhandled([&](EventRecord&) { ADD_FAILURE() << "handed on twice"; });
    queue.clear();
    EXPECT_EQ(queue.pending(), 0);
}

}  // namespace
