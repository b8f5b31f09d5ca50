// One line of text per protocol step, as the dry run prints it and tests
// compare it: "progress 40", "sleep 20", "setting 1201004000000000",
// "data <hex of the payload bytes>", "register", "unregister", "enable",
// "option 15", "read-event". A refused request gets " (refused)".
#pragma once

#include <string>
#include <vector>

#include "platform/ProtocolLog.h"

std::string HexBytes(const std::uint8_t* bytes, std::size_t count);
std::string DescribeStep(const ProtocolStep& step);
std::vector<std::string> DescribeLog(const ProtocolLog& log);
