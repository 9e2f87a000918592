#pragma once

#include <stdexcept>
#include <string>

/** A failure the user can act on; its message is the one line the tool prints. */
class RenderError : public std::runtime_error
{
public:
    explicit RenderError(const std::string& message, int exitStatus = 1)
        : std::runtime_error(message), status(exitStatus)
    {
    }

    /** 2 for a command line that cannot be understood, 1 for everything else. */
    int exitStatus() const { return status; }

private:
    int status;
};
