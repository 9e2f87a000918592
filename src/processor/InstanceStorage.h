#pragma once

#include "layout/WatchedLayoutFile.h"

#include <atomic>
#include <memory>

/** What a processor shares with its editors: the menu's requests and the watched layout file.
    The flags are the only data the message thread writes for the audio thread. */
struct InstanceStorage
{
    std::unique_ptr<WatchedLayoutFile> layoutWatch;
    std::atomic<bool> resetRequested{false};
    std::atomic<bool> randomizeRequested{false};
};
