// The WinInet reader against the scripted endpoint (tests/services/http_script.json), which the
// driver starts on loopback and names in TIMECAL_ENDPOINT_PORT; TIMECAL_DEAD_PORT is a port
// where nothing listens.
#include "services/http.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "services/body_buffer.h"
#include "values/block.h"

namespace {

std::string portFrom(const char *name) {
  const char *port = std::getenv(name);
  return port != nullptr ? port : "";
}

std::string endpointUrl(const std::string &pathAndMore) {
  return "http://127.0.0.1:" + portFrom("TIMECAL_ENDPOINT_PORT") + pathAndMore;
}

// The body as a string (empty for null) and its release, so each case reads in one line.
struct Reply {
  bool isNull;
  std::string body;
};

Reply get(const std::string &url) {
  ByteSet bs = httpReadUrl(url.c_str());
  Reply reply{bs == nullptr, ""};
  if (bs != nullptr) {
    EXPECT_EQ(bs->headerWord, 1u);
    reply.body.assign(reinterpret_cast<const char *>(byteSetBytes(bs)), static_cast<size_t>(bs->length));
    releaseBlock(bs);
  }
  return reply;
}

// The bytes the endpoint's "sequence" step sends: i % 251.
bool isSequence(const std::string &body) {
  for (size_t i = 0; i < body.size(); ++i)
    if (static_cast<unsigned char>(body[i]) != i % 251) return false;
  return true;
}

class HttpReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(portFrom("TIMECAL_ENDPOINT_PORT").empty()) << "run through the driver script";
    before = g_httpReaderCounters;
  }
  // Every call that got a connection closed its request and connection handles.
  void TearDown() override {
    EXPECT_EQ(g_httpReaderCounters.connectionsClosed, g_httpReaderCounters.connectionsOpened);
    EXPECT_EQ(g_httpReaderCounters.requestsClosed, g_httpReaderCounters.requestsOpened);
  }
  int32_t connectionsMade() const {
    return g_httpReaderCounters.connectionsOpened - before.connectionsOpened;
  }

  HttpReaderCounters before{};
};

struct ChunkCase {
  const char *path;
  int32_t chunkSize;
  size_t bodyLength;
};

// The read size follows Content-Length; the body comes back whole and in order whatever it is.
TEST_F(HttpReaderTest, ReadSizeFollowsContentLength) {
  const ChunkCase cases[] = {
      {"/no-length", 10240, 25000},
      {"/length-200000", 102400, 200000},
      {"/length-not-a-number", 10240, 300},
      {"/length-negative", 10240, 300},
      {"/length-31-characters", 301, 300},  // the text and its terminator fill the 32 bytes
      {"/length-32-characters", 10240, 300},
      {"/length-too-long-for-its-buffer", 10240, 300},
  };
  for (const ChunkCase &c : cases) {
    SCOPED_TRACE(c.path);
    const Reply reply = get(endpointUrl(c.path));
    ASSERT_FALSE(reply.isNull);
    EXPECT_EQ(reply.body.size(), c.bodyLength);
    EXPECT_TRUE(isSequence(reply.body));
    EXPECT_EQ(g_httpReaderCounters.lastChunkSize, c.chunkSize);
    EXPECT_LE(g_httpReaderCounters.lastLargestRead, c.chunkSize);
    EXPECT_TRUE(g_httpReaderCounters.lastEndReached);
  }
}

// Content-Length 19 gives a read of 20: the whole body in one read, then the end.
TEST_F(HttpReaderTest, AnnouncedBodyArrivesInOneRead) {
  const Reply reply = get(endpointUrl("/time"));
  ASSERT_FALSE(reply.isNull);
  EXPECT_EQ(reply.body, "2017-11-12 08:05:09");
  EXPECT_EQ(g_httpReaderCounters.lastChunkSize, 20);
  EXPECT_EQ(g_httpReaderCounters.lastReads, 1);
  EXPECT_EQ(g_httpReaderCounters.lastLargestRead, 19);
  EXPECT_TRUE(g_httpReaderCounters.lastEndReached);
}

TEST_F(HttpReaderTest, EmptyBodyGivesNull) {
  for (const char *path : {"/length-0", "/empty-no-length"}) {
    SCOPED_TRACE(path);
    EXPECT_TRUE(get(endpointUrl(path)).isNull);
    EXPECT_EQ(g_httpReaderCounters.lastChunkSize, 10240);
    EXPECT_TRUE(g_httpReaderCounters.lastEndReached);
  }
}

// The status is never examined: an error page comes back like any other body, bytes as sent.
TEST_F(HttpReaderTest, ErrorAnswerGivesItsBody) {
  const Reply reply = get(endpointUrl("/missing"));
  ASSERT_FALSE(reply.isNull);
  EXPECT_EQ(reply.body, "<html><body><h1>404 Not Found</h1></body></html>\n");
}

TEST_F(HttpReaderTest, BodyBytesComeBackUndecoded) {
  const Reply reply = get(endpointUrl("/binary"));
  ASSERT_FALSE(reply.isNull);
  EXPECT_EQ(reply.body, std::string("\x00\x01\xD4\xCB\r\n\x00\xFF", 8));
}

// A body that stops early, by a close or by a reset, gives the bytes that came before.
TEST_F(HttpReaderTest, CutBodyGivesWhatArrived) {
  for (const char *path : {"/closed-after-50-of-100", "/reset-after-40"}) {
    SCOPED_TRACE(path);
    const Reply reply = get(endpointUrl(path));
    ASSERT_FALSE(reply.isNull);
    EXPECT_EQ(reply.body.size(), path[1] == 'c' ? 50u : 40u);
    EXPECT_TRUE(isSequence(reply.body));
  }
}

// A sender that does not stop is cut at the body's limit, and what arrived stays in order.
TEST_F(HttpReaderTest, EndlessBodyStopsAtTheLimit) {
  const Reply reply = get(endpointUrl("/endless"));
  ASSERT_FALSE(reply.isNull);
  EXPECT_EQ(reply.body.size(), static_cast<size_t>(kBodyLimit));
  EXPECT_TRUE(isSequence(reply.body));
  EXPECT_FALSE(g_httpReaderCounters.lastEndReached);
}

// What goes on the wire, as the endpoint echoes it: the request line, the agent, the accept
// header; a query goes with the path, a fragment never leaves the machine.
TEST_F(HttpReaderTest, RequestAsSent) {
  const Reply reply = get(endpointUrl("/echo?q=1&r=2#fragment"));
  ASSERT_FALSE(reply.isNull);
  const std::string &request = reply.body;
  EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET /echo?q=1&r=2 HTTP/1.0");
  EXPECT_NE(request.find("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"),
            std::string::npos);
  EXPECT_NE(request.find("\r\nAccept: */*"), std::string::npos);
  EXPECT_NE(request.find("\r\nHost: 127.0.0.1:" + portFrom("TIMECAL_ENDPOINT_PORT") + "\r\n"),
            std::string::npos);
  EXPECT_EQ(request.find("fragment"), std::string::npos);
  EXPECT_EQ(request.substr(request.size() - 4), "\r\n\r\n");
}

// A URL longer than the first canonical buffer takes the second, longer one and still works;
// the user name and password of the URL go to the connection, not into the request line.
TEST_F(HttpReaderTest, LongUrlTakesTheLongerBuffer) {
  const std::string path = "/long/" + std::string(1900, 'p');
  const std::string url = "http://" + std::string(100, 'u') + ":" + std::string(100, 'w') +
                          "@127.0.0.1:" + portFrom("TIMECAL_ENDPOINT_PORT") + path;
  ASSERT_GT(url.size(), 2084u);
  const Reply reply = get(url);
  ASSERT_FALSE(reply.isNull);
  EXPECT_EQ(reply.body.substr(0, reply.body.find("\r\n")), "GET " + path + " HTTP/1.0");
}

// Nothing goes to the network for these; no connection is attempted.
TEST_F(HttpReaderTest, UnusableUrlGivesNullWithoutConnecting) {
  EXPECT_TRUE(httpReadUrl(nullptr) == nullptr);
  for (const std::string &url : {std::string(""), std::string("not a url"),
                                 "http://127.0.0.1:1/" + std::string(2100, 'x')}) {
    SCOPED_TRACE(url.substr(0, 40));
    EXPECT_TRUE(get(url).isNull);
  }
  EXPECT_EQ(connectionsMade(), 0);
  EXPECT_EQ(g_httpReaderCounters.lastChunkSize, 0);
}

// A refused connection gives null; the session stays and the next call uses it again.
TEST_F(HttpReaderTest, NothingListeningGivesNullAndKeepsTheSession) {
  const std::string dead = "http://127.0.0.1:" + portFrom("TIMECAL_DEAD_PORT") + "/time";
  EXPECT_TRUE(get(dead).isNull);
  EXPECT_EQ(g_httpReaderCounters.lastChunkSize, 0);
  EXPECT_EQ(get(endpointUrl("/time")).body, "2017-11-12 08:05:09");
  EXPECT_EQ(g_httpReaderCounters.sessionOpens, 1);
}

// One session for the process, one connection per call (the driver checks that the endpoint
// saw two connections for /twice).
TEST_F(HttpReaderTest, TwoCallsOneSessionTwoConnections) {
  EXPECT_EQ(get(endpointUrl("/twice")).body, "first");
  EXPECT_EQ(get(endpointUrl("/twice")).body, "second");
  EXPECT_EQ(connectionsMade(), 2);
  EXPECT_EQ(g_httpReaderCounters.sessionOpens, 1);
}

// https asks for TLS on the port the URL names; the plain endpoint cannot answer it, so the
// call gives null (the driver checks that a TLS hello reached the endpoint).
TEST_F(HttpReaderTest, HttpsSpeaksTlsToTheNamedPort) {
  EXPECT_TRUE(get("https://127.0.0.1:" + portFrom("TIMECAL_ENDPOINT_PORT") + "/tls").isNull);
  EXPECT_EQ(connectionsMade(), 1);
}

}  // namespace
