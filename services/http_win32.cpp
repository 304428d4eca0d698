// The HTTP reader on WinInet: synchronous, one session per process, every request bypassing
// the cache in both directions.
#include "services/http.h"

#include <windows.h>
#include <wininet.h>

#include <cstring>

#include "services/body_buffer.h"
#include "services/content_length.h"
#include "values/heap.h"

HttpReaderCounters g_httpReaderCounters;

namespace {

const char kAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
const char kAcceptType[] = "Accept: */* \r\n";
const char kExtraHeaders[] = "Accept: */*\r\n\r\n";
constexpr DWORD kExtraHeadersLength = 15;
static_assert(sizeof kExtraHeaders - 1 == kExtraHeadersLength, "the extra headers' length");

constexpr DWORD kCanonicalCapacity = 2084;
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
static_assert(kRequestFlags == 0x84000000, "http requests bypass the cache both ways");
static_assert((kRequestFlags | INTERNET_FLAG_SECURE) == 0x84800000, "https adds the secure flag");

// The shipped 32-bit program hands WinInet these records at their 32-bit sizes.
static_assert(sizeof(void *) != 4 || sizeof(URL_COMPONENTSA) == 60, "URL_COMPONENTSA layout");
static_assert(sizeof(void *) != 4 || sizeof(INTERNET_PROXY_INFO) == 12, "proxy record layout");

// The process's WinInet session. It is closed when the process ends normally; after a fatal
// error ExitProcess skips this destructor and the system reclaims the handle.
struct InternetService {
  HINTERNET session = nullptr;
  char proxyUserName[1] = "";  // nothing in the program sets proxy credentials
  char proxyPassword[1] = "";

  ~InternetService() {
    // Nothing is left to do if the close fails: the process is ending.
    if (session != nullptr) InternetCloseHandle(session);
  }
};

InternetService g_internetService;

struct UrlParts {
  char host[256] = "";
  char path[2048] = "";
  char userName[128] = "";
  char password[128] = "";
  INTERNET_PORT port = 0;
  INTERNET_SCHEME scheme = INTERNET_SCHEME_UNKNOWN;
};

// Splits a canonical URL into parts; false when WinInet cannot read it.
bool crackUrl(const char *canonical, UrlParts *parts) {
  URL_COMPONENTSA components{};
  components.dwStructSize = sizeof components;
  components.lpszHostName = parts->host;
  components.dwHostNameLength = sizeof parts->host;
  components.lpszUrlPath = parts->path;
  components.dwUrlPathLength = sizeof parts->path;
  components.lpszUserName = parts->userName;
  components.dwUserNameLength = sizeof parts->userName;
  components.lpszPassword = parts->password;
  components.dwPasswordLength = sizeof parts->password;
  if (!InternetCrackUrlA(canonical, 0, 0, &components)) return false;
  parts->port = components.nPort;
  parts->scheme = components.nScheme;
  return true;
}

// Canonicalises and splits url; false when either step fails or the longer buffer that a long
// URL needs cannot be had.
bool readUrl(const char *url, UrlParts *parts) {
  char canonical[kCanonicalCapacity];
  DWORD length = sizeof canonical;
  if (InternetCanonicalizeUrlA(url, canonical, &length, ICU_NO_ENCODE))
    return crackUrl(canonical, parts);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
  // length now holds the size WinInet needs, terminator included.
  auto *longer = static_cast<char *>(g_heapCalls.allocate(length));
  if (longer == nullptr) return false;
  const bool cracked = InternetCanonicalizeUrlA(url, longer, &length, ICU_NO_ENCODE) &&
                       crackUrl(longer, parts);
  g_heapCalls.release(longer);
  return cracked;
}

// Gives the session, opening it on first need; null when it cannot be opened (the next call
// tries again).
HINTERNET session() {
  if (g_internetService.session == nullptr) {
    g_internetService.session =
        InternetOpenA(kAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (g_internetService.session != nullptr) ++g_httpReaderCounters.sessionOpens;
  }
  return g_internetService.session;
}

// Asks for the system's proxy configuration and empty proxy credentials. The results are not
// looked at: a refused option leaves the session direct and without credentials, which is what
// reaches the endpoint where no proxy is configured, so the exchange goes on either way.
void setProxyOptions(HINTERNET connection) {
  INTERNET_PROXY_INFO proxy{INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr};
  InternetSetOptionA(g_internetService.session, INTERNET_OPTION_PROXY, &proxy, sizeof proxy);
  InternetSetOptionA(connection, INTERNET_OPTION_PROXY_USERNAME, g_internetService.proxyUserName, 1);
  InternetSetOptionA(connection, INTERNET_OPTION_PROXY_PASSWORD, g_internetService.proxyPassword, 1);
}

// Closes a request or connection handle. A failed close leaves nothing to do: the handle is
// given up either way and the exchange is over.
void closeHandle(HINTERNET handle, int32_t *closedCounter) {
  InternetCloseHandle(handle);
  ++*closedCounter;
}

// Appends one read's bytes to the body; false when the body has reached its limit.
bool keepRead(BodyBuffer *body, const unsigned char *bytes, int32_t count) {
  ++g_httpReaderCounters.lastReads;
  if (count > g_httpReaderCounters.lastLargestRead) g_httpReaderCounters.lastLargestRead = count;
  return appendToBody(body, bytes, count);
}

// Reads the body of a sent request into body until the end, a failed read or the body's limit;
// nothing when no read buffer can be had. What arrived stays in body in every case.
void readBody(HINTERNET request, BodyBuffer *body) {
  char lengthText[kContentLengthCapacity];
  DWORD size = sizeof lengthText;
  const bool announced =
      HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, lengthText, &size, nullptr);
  lengthText[kContentLengthCapacity - 1] = '\0';  // the parse can never run past the buffer
  const int32_t chunkSize = chunkSizeFromContentLength(announced ? lengthText : nullptr);
  g_httpReaderCounters.lastChunkSize = chunkSize;

  auto *chunk = static_cast<unsigned char *>(g_heapCalls.allocate(static_cast<size_t>(chunkSize)));
  if (chunk == nullptr) return;
  for (;;) {
    DWORD count = 0;
    // A blocking read fills the whole buffer unless the body ends, so a connection that breaks
    // in the middle reports the bytes it did deliver in count beside the failure. They were
    // received before the failure and are kept; a count beyond the buffer is not believed.
    const bool read = InternetReadFile(request, chunk, static_cast<DWORD>(chunkSize), &count);
    if (read && count == 0) {
      g_httpReaderCounters.lastEndReached = true;
      break;
    }
    if (count > static_cast<DWORD>(chunkSize)) break;
    if (count > 0 && !keepRead(body, chunk, static_cast<int32_t>(count))) break;
    if (!read) break;
  }
  g_heapCalls.release(chunk);
}

// Sends the GET for parts over a new connection and collects the body; every handle it opens
// is closed before it returns, the request first.
void exchange(HINTERNET session, UrlParts *parts, BodyBuffer *body) {
  HINTERNET connection = InternetConnectA(session, parts->host, parts->port, parts->userName,
                                          parts->password, INTERNET_SERVICE_HTTP, 0, 0);
  if (connection == nullptr) return;
  ++g_httpReaderCounters.connectionsOpened;
  setProxyOptions(connection);

  if (char *fragment = std::strchr(parts->path, '#')) *fragment = '\0';
  const DWORD flags = parts->scheme == INTERNET_SCHEME_HTTPS
                          ? kRequestFlags | INTERNET_FLAG_SECURE
                          : kRequestFlags;
  const char *acceptTypes[] = {kAcceptType, nullptr};
  HINTERNET request = HttpOpenRequestA(connection, "GET", parts->path, "HTTP/1.0", nullptr,
                                       acceptTypes, flags, 0);
  if (request != nullptr) {
    ++g_httpReaderCounters.requestsOpened;
    if (HttpSendRequestA(request, kExtraHeaders, kExtraHeadersLength, nullptr, 0))
      readBody(request, body);
    closeHandle(request, &g_httpReaderCounters.requestsClosed);
  }
  closeHandle(connection, &g_httpReaderCounters.connectionsClosed);
}

}  // namespace

// Gives the body as received, or null when none arrived; a failure at any step shows only as a
// null or shortened result.
ByteSet httpReadUrl(const char *url) {
  g_httpReaderCounters.lastChunkSize = 0;
  g_httpReaderCounters.lastReads = 0;
  g_httpReaderCounters.lastLargestRead = 0;
  g_httpReaderCounters.lastEndReached = false;

  BodyBuffer body{};
  UrlParts parts;
  if (url != nullptr && url[0] != '\0' && readUrl(url, &parts)) {
    if (HINTERNET s = session()) exchange(s, &parts, &body);
  }
  ByteSet result = byteSetFromBytes(body.data, body.length);
  releaseBody(&body);
  return result;
}
