#pragma once
// Serving files from the fixture server's folder and telling it, per path,
// how to answer (tools/https_server/fixture_routes.py): fail, stall, corrupt
// the body, answer a status, send slowly, or fill in its own base URL.
// Requests are counted through https_test_server::requests_for.
#include <string>
#include <string_view>

#include "tools/https_server/https_test_server.h"

namespace vcam::testing {

// The file behind a served path ("/config/6.0.json"), in this platform's form.
std::string served_file(const https_test_server& server, std::string_view path);

// Writes `content` as the file served at `path`, creating its folders.
void serve_bytes(const https_test_server& server, std::string_view path, std::string_view content);

// The rule for `path`, e.g. "status 500", "first 2 fail", "stall 1000",
// "corrupt", "slow 4096 20", "template". A new rule restarts "first N".
void set_answer(const https_test_server& server, std::string_view path, std::string_view rule);
// Back to the plain file (404 when there is none).
void clear_answer(const https_test_server& server, std::string_view path);

}  // namespace vcam::testing
