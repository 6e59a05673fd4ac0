// The channel table (numbers 0 to 99), the busy flag that every operation
// holds, the console channels' connection on first use, and the closing of
// every channel at the end of the run.
#pragma once

#include "channels/channel.h"

inline constexpr int channelTableSize = 100;

// The channel's record, busy from now on. Channels 5 and 6 connect to the
// standard input and output on first use. A busy channel fails with 40.
Channel& channelFor(std::int32_t number, bool forWriting);

// Clears the busy flag of a table channel; other numbers are ignored.
void releaseChannel(std::int32_t number);

// Returns a channel to unconnected after a failed open: closes a handle it
// obtained, frees its buffer and name, clears every field but its number,
// and releases it.
void discardChannel(Channel& channel);

// Gives a connected channel its kind flags, its buffer and its line width.
void finishConnection(Channel& channel);

// Closes every connected channel that no operation holds, once per run.
void closeAllChannels();

// True when another connected channel already holds the object with identity.
bool identityInUse(const platform::FileIdentity& identity, std::int32_t except);

// Connects a channel to a standard stream, or to the console device when the
// process has none; a failure ends the run (no branch is given).
void connectStandardStream(Channel& channel, platform::StandardStream stream, bool forWriting);

// For tests: forget every channel, as at the start of a run.
void resetChannelTable();
