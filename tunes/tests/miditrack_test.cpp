// Tests of the chunk encoding: variable-length quantities, delta times, running status, end of
// track.
#include "miditrack.h"

#include <gtest/gtest.h>
#include <stdexcept>

using tune::Bytes;
using tune::MetaType;
using tune::MidiTrack;
using tune::variableLengthQuantity;

TEST(VariableLengthQuantity, UsesSevenBitsPerByteWithContinuationBits) {
    const std::pair<std::uint32_t, Bytes> cases[] = {
        {0x00, {0x00}},
        {0x40, {0x40}},
        {0x7F, {0x7F}},
        {0x80, {0x81, 0x00}},
        {0x2000, {0xC0, 0x00}},
        {0x3FFF, {0xFF, 0x7F}},
        {0x4000, {0x81, 0x80, 0x00}},
        {0x1FFFFF, {0xFF, 0xFF, 0x7F}},
        {0x200000, {0x81, 0x80, 0x80, 0x00}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const auto& [value, bytes] : cases)
        EXPECT_EQ(variableLengthQuantity(value), bytes) << "value " << value;
}

TEST(VariableLengthQuantity, RefusesMoreThanTwentyEightBits) {
    EXPECT_THROW(variableLengthQuantity(0x10000000), std::out_of_range);
}

TEST(MidiTrack, WritesDeltaTimesRunningStatusAndEndOfTrack) {
    MidiTrack track;
    track.addChannelEvent(0, 0x90, {60, 100});
    track.addChannelEvent(480, 0x90, {60, 0});
    track.addChannelEvent(480, 0x91, {64, 90});
    track.addMeta(480, MetaType::trackName, Bytes{'x'});
    track.addChannelEvent(600, 0x91, {64, 0});
    const Bytes expected{
        'M',  'T',  'r',  'k',  0x00, 0x00, 0x00, 0x1A, // chunk header, 26 bytes follow
        0x00, 0x90, 0x3C, 0x64,                         // first event carries its status
        0x83, 0x60, 0x3C, 0x00,                         // 480 ticks later, running status
        0x00, 0x91, 0x40, 0x5A,                         // another channel needs its status
        0x00, 0xFF, 0x03, 0x01, 'x',                    // a meta event
        0x78, 0x91, 0x40, 0x00,                         // status written again after the meta
        0x82, 0x68, 0xFF, 0x2F, 0x00,                   // end of track 360 ticks after
    };
    EXPECT_EQ(track.finish(960), expected);
}

TEST(MidiTrack, EndsAnEmptyTrackAtItsEndTick) {
    const Bytes expected{'M', 'T', 'r', 'k', 0, 0, 0, 5, 0x87, 0x40, 0xFF, 0x2F, 0x00};
    EXPECT_EQ(MidiTrack().finish(960), expected);
}

TEST(MidiTrack, RefusesEventsOutOfTimeOrderAndAnEndBeforeTheLastEvent) {
    MidiTrack track;
    track.addChannelEvent(100, 0x90, {60, 100});
    EXPECT_THROW(track.addChannelEvent(99, 0x90, {60, 0}), std::logic_error);
    EXPECT_THROW(track.finish(99), std::logic_error);
}

TEST(MidiTrack, RefusesBytesThatWouldCorruptTheStream) {
    MidiTrack track;
    EXPECT_THROW(track.addChannelEvent(0, 0x90, {128, 100}), std::logic_error);
    EXPECT_THROW(track.addChannelEvent(0, 0x40, {60, 100}), std::logic_error);
    EXPECT_THROW(track.addChannelEvent(0, 0xF0, {60, 100}), std::logic_error);
}
