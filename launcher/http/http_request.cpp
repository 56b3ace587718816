// The launcher keeps libcurl's classic progress callback and form API, which
// libcurl still supports; silence their deprecation notes.
#define CURL_DISABLE_DEPRECATION 1
#include "launcher/http/http_request.h"

#include <curl/curl.h>

#include "launcher/http/cache_token.h"
#include "launcher/http/output_file.h"
#include "launcher/http/transfer_context.h"

namespace vcam::launcher {
namespace {

size_t on_write(char* data, size_t size, size_t count, void* context) {
  return write_body(*static_cast<transfer_context*>(context), data, size, count);
}

size_t on_header(char*, size_t size, size_t count, void*) { return size * count; }

int on_progress(void* context, double dltotal, double dlnow, double, double) {
  report_progress(*static_cast<transfer_context*>(context), dlnow, dltotal);
  return 0;
}

// The connect limit and the stall limit, set on creation and again by set_limits.
void apply_limits(CURL* h, long stall_seconds) {
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, stall_seconds);
}

class header_list {
 public:
  ~header_list() { curl_slist_free_all(list_); }
  void append(const std::string& line) {
    if (curl_slist* l = curl_slist_append(list_, line.c_str())) list_ = l;
  }
  curl_slist* get() const { return list_; }

 private:
  curl_slist* list_ = nullptr;
};

class form_parts {
 public:
  ~form_parts() { curl_formfree(first_); }
  void add_text(const std::string& name, const std::string& value) {
    curl_formadd(&first_, &last_, CURLFORM_COPYNAME, name.c_str(), CURLFORM_NAMELENGTH,
                 static_cast<long>(name.size()), CURLFORM_COPYCONTENTS, value.c_str(),
                 CURLFORM_CONTENTSLENGTH, static_cast<long>(value.size()), CURLFORM_END);
  }
  void add_file(const std::string& name, const std::string& path) {
    curl_formadd(&first_, &last_, CURLFORM_COPYNAME, name.c_str(), CURLFORM_NAMELENGTH,
                 static_cast<long>(name.size()), CURLFORM_FILE, path.c_str(), CURLFORM_END);
  }
  curl_httppost* get() const { return first_; }

 private:
  curl_httppost* first_ = nullptr;
  curl_httppost* last_ = nullptr;
};

}  // namespace

bool http_request::create() {
  std::lock_guard<std::mutex> hold(lock_);
  if (handle_) return true;
  CURL* h = curl_easy_init();
  if (!h) return false;
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_FORBID_REUSE, 1L);
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  apply_limits(h, kStallSeconds);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 0L);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 0L);
  curl_easy_setopt(h, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
  handle_ = h;
  return true;
}

void http_request::set_limits(long stall_seconds) {
  std::lock_guard<std::mutex> hold(lock_);
  if (handle_) apply_limits(handle_, stall_seconds);
}

void http_request::perform(const std::string& url, http_request_callback& receiver) {
  std::lock_guard<std::mutex> hold(lock_);
  transfer_context context;
  context.receiver = &receiver;
  context.file_name = output_file_;
  if (!output_file_.empty()) {
    context.file = open_output_file(output_file_);
    if (!context.file) {
      receiver.file_result(kOutputFileFailed, 2, 0);
      return;
    }
  }
  CURL* h = handle_;
  if (!h) {
    deliver_result(context, CURLE_FAILED_INIT, 0);
    return;
  }

  const bool has_form = !form_fields_.empty() || !form_files_.empty();
  // An empty Expect header keeps libcurl from waiting for "100 Continue".
  std::map<std::string, std::string> headers = headers_;
  if (has_form) headers["Expect"] = "";

  std::string cookie;
  for (const auto& [name, value] : cookies_) {
    if (!cookie.empty()) cookie += "; ";
    cookie += name + "=" + value;
  }
  if (!cookie.empty()) curl_easy_setopt(h, CURLOPT_COOKIE, cookie.c_str());

  header_list lines;
  for (const auto& [name, value] : headers) lines.append(name + ":" + value);
  if (lines.get()) curl_easy_setopt(h, CURLOPT_HTTPHEADER, lines.get());

  form_parts form;
  for (const auto& [name, value] : form_fields_) form.add_text(name, value);
  for (const auto& [name, path] : form_files_) form.add_file(name, path);
  if (form.get()) curl_easy_setopt(h, CURLOPT_HTTPPOST, form.get());

  const std::string full_url = add_cache_query(url, new_cache_token());
  curl_easy_setopt(h, CURLOPT_URL, full_url.c_str());
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &context);
  curl_easy_setopt(h, CURLOPT_PROGRESSDATA, &context);
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, on_write);
  curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, on_header);
  curl_easy_setopt(h, CURLOPT_PROGRESSFUNCTION, on_progress);

  const CURLcode code = curl_easy_perform(h);
  long status = 0;
  if (code == CURLE_OK) curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);

  deliver_result(context, static_cast<int>(code), static_cast<int>(status));

  // The list and the form die with this scope; the handle must not keep
  // pointing at them for a later transfer.
  if (lines.get()) curl_easy_setopt(h, CURLOPT_HTTPHEADER, nullptr);
  if (form.get()) {
    curl_easy_setopt(h, CURLOPT_HTTPPOST, nullptr);
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
  }
  curl_easy_setopt(h, CURLOPT_WRITEDATA, nullptr);
  curl_easy_setopt(h, CURLOPT_PROGRESSDATA, nullptr);
}

void http_request::release() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (handle_) curl_easy_cleanup(handle_);
    handle_ = nullptr;
  }
  output_file_.clear();
  headers_.clear();
  cookies_.clear();
  form_fields_.clear();
  form_files_.clear();
}

std::unique_ptr<http_request> create_http_request() {
  auto r = std::make_unique<http_request>();
  if (!r->create()) return nullptr;
  return r;
}

}  // namespace vcam::launcher
