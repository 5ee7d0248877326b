#pragma once

// How a step on the line to the tester ended.
enum class LineStatus {
    Ok,
    Timeout,       // CTS stayed off, or no byte came, within the time allowed
    IoError,       // the port is not open, or the system refused the byte
    ProtocolError, // the tester answered, but not as the protocol has it
};
