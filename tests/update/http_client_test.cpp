#include "update/http_client.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <sstream>

#include "common/recording_host.h"
#include "test_server.h"

namespace fw {
namespace {

using testing::Always;
using testing::Reply;
using testing::TestServer;

TEST(UrlTest, SplitsEveryPartAndFillsDefaults) {
  Url u = ParseUrl("http://joe:se@cret@example.test:8080/a/b.txt");
  EXPECT_EQ(u.scheme, "http");
  EXPECT_EQ(u.user, "joe");
  EXPECT_EQ(u.password, "se@cret");
  EXPECT_EQ(u.host, "example.test");
  EXPECT_EQ(u.port, "8080");
  EXPECT_EQ(u.path, "/a/b.txt");

  Url bare = ParseUrl("example.test");
  EXPECT_EQ(bare.scheme, "http");
  EXPECT_EQ(bare.host, "example.test");
  EXPECT_EQ(bare.port, "80");
  EXPECT_EQ(bare.path, "/");
  EXPECT_FALSE(bare.hasUser);

  Url relative = ParseUrl("/new", u);
  EXPECT_EQ(relative.host, "example.test");
  EXPECT_EQ(relative.port, "8080");
  EXPECT_EQ(relative.path, "/new");

  EXPECT_EQ(ParseUrl("MailTo:someone@example.test").scheme, "mailto");
  Url v6 = ParseUrl("http://[::1]:81/x");
  EXPECT_EQ(v6.host, "::1");
  EXPECT_EQ(v6.port, "81");
}

TEST(RequestTest, AuthorizationOnlyWithAUserAndInItsPlace) {
  HttpRequestHeaders h;
  h.noCache = true;
  h.range = "10-";
  EXPECT_EQ(BuildRequest(ParseUrl("http://ann:pw@h/p"), h),
            "GET /p HTTP/1.0\r\nAccept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
            "*/*\r\nUser-Agent: Mozilla/3.0 (compatible)\r\nHost: h\r\nPragma: no-cache\r\n"
            "Cache-Control: no-cache\r\nAuthorization: Basic YW5uOnB3\r\nRange: bytes=10-\r\n\r\n");
  EXPECT_EQ(Base64("a"), "YQ==");
  EXPECT_EQ(Base64("ab"), "YWI=");
  EXPECT_EQ(Base64("abc"), "YWJj");
}

class HttpClientTest : public ::testing::Test {
 protected:
  HttpClientTest() {
    client.limits.readTimeout = std::chrono::milliseconds(300);
    client.limits.connectTimeout = std::chrono::milliseconds(2000);
  }
  // The reason text and status of the failure of a GET of `url`.
  std::pair<std::string, int> Failure(const std::string& url) {
    try {
      client.Get(host, url, body);
    } catch (const HttpError& e) {
      return {e.what(), e.status()};
    }
    ADD_FAILURE() << "the GET did not fail";
    return {};
  }
  RecordingHost host;
  HttpClient client;
  std::ostringstream body;
};

TEST_F(HttpClientTest, SendsExactlyTheDefaultRequestAndStreamsTheBody) {
  TestServer server(
      Always("HTTP/1.0 200 OK\r\nContent-Type: Text/Plain\r\nX-Other: 1\r\n\r\n"
             "framewright 3.1.5\r\n"));
  EXPECT_EQ(client.Get(host, server.url("/path"), body), 200);
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0],
            "GET /path HTTP/1.0\r\nAccept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
            "*/*\r\nUser-Agent: Mozilla/3.0 (compatible)\r\nHost: 127.0.0.1\r\n\r\n");
  EXPECT_EQ(body.str(), "framewright 3.1.5\r\n");
  EXPECT_EQ(client.reasonText(), "OK");
  EXPECT_EQ(client.response().contentType, "text/plain");
  EXPECT_EQ(client.headerLines().size(), 3u);
  EXPECT_FALSE(client.busy());
  EXPECT_GT(host.eventsProcessed, 0);
}

TEST_F(HttpClientTest, StatusOf400OrMoreFailsWithTheReasonAndWritesNothing) {
  TestServer server(Always("HTTP/1.1 404 Not Found\r\n\r\nnot here"));
  EXPECT_EQ(Failure(server.url("/upgrades.txt")), std::make_pair(std::string("Not Found"), 404));
  EXPECT_EQ(body.str(), "");
  EXPECT_EQ(client.statusCode(), 404);
}

TEST_F(HttpClientTest, FollowsALocationOnTheSameHost) {
  TestServer server([](const std::string& request, int) {
    if (request.starts_with("GET /new ")) return Reply{"HTTP/1.0 200 OK\r\n\r\nsecond"};
    return Reply{"HTTP/1.0 302 Found\r\nLocation: /new\r\n\r\nfirst"};
  });
  EXPECT_EQ(client.Get(host, server.url("/old"), body), 200);
  ASSERT_EQ(server.requests().size(), 2u);
  EXPECT_TRUE(server.requests()[1].starts_with("GET /new HTTP/1.0\r\n"));
  EXPECT_EQ(body.str(), "second");
}

TEST_F(HttpClientTest, ARedirectLoopEndsAtTheBound) {
  client.limits.maxRedirects = 3;
  TestServer server(Always("HTTP/1.0 302 Found\r\nLocation: /again\r\n\r\n"));
  EXPECT_EQ(Failure(server.url("/")).first, "HTTP too many redirects");
  EXPECT_EQ(server.requests().size(), 4u);  // the first request and three redirects
}

TEST_F(HttpClientTest, AServerThatNeverAnswersTimesOut) {
  TestServer server([](const std::string&, int) { return Reply{"", true}; });
  EXPECT_EQ(Failure(server.url("/")).first, "HTTP request timed out");
  EXPECT_GT(host.eventsProcessed, 0);  // the window was kept alive while waiting
}

TEST_F(HttpClientTest, HeaderLinesAreBounded) {
  std::string longest(kMaxHttpLine - 3, 'v');
  TestServer fits(Always("HTTP/1.0 200 OK\r\nX: " + longest + "\r\n\r\nok"));
  EXPECT_EQ(client.Get(host, fits.url("/"), body), 200);
  EXPECT_EQ(body.str(), "ok");

  TestServer tooLong(Always("HTTP/1.0 200 OK\r\nX: " + longest + "v\r\n\r\nok"));
  EXPECT_EQ(Failure(tooLong.url("/")), std::make_pair(std::string("HTTP line too long"), 200));

  // The head as a whole is bounded too: in lines, and in bytes of lines that each fit.
  auto head = [](int lines, std::size_t length) {
    std::string h = "HTTP/1.0 200 OK\r\n";
    for (int i = 1; i < lines; ++i) h += "X: " + std::string(length, 'v') + "\r\n";
    return h;
  };
  TestServer most(Always(head(client.limits.maxHeaderLines, 1) + "\r\nok"));
  EXPECT_EQ(client.Get(host, most.url("/"), body), 200);
  TestServer endless(Always(head(client.limits.maxHeaderLines + 1, 1)));
  EXPECT_EQ(Failure(endless.url("/")).first, "HTTP too many header lines");
  TestServer heavy(Always(head(10, 8000) + "\r\nok"));
  EXPECT_EQ(Failure(heavy.url("/")).first, "HTTP header too large");
}

TEST_F(HttpClientTest, FailuresToReachTheServerReadAsNotFound) {
  EXPECT_EQ(Failure("http://no-such-host.invalid/upgrades.txt"),
            std::make_pair(std::string("can't resolve hostname to IP address"), 404));

  // A port that was just free: nothing listens there any more.
  int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  socklen_t len = sizeof a;
  ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  ::close(s);
  auto [reason, status] = Failure("http://127.0.0.1:" + std::to_string(ntohs(a.sin_port)) + "/");
  EXPECT_EQ(reason, "can't connect: Connection refused (Error #111)");
  EXPECT_EQ(status, 404);
}

TEST_F(HttpClientTest, AnHtmlLineStartsTheBodyWithoutHeaders) {
  TestServer server(Always("<html><body>hi\r\n</body></HTML>\r\n"));
  EXPECT_EQ(client.Get(host, server.url("/"), body), 0);
  EXPECT_EQ(body.str(), "<html><body>hi\r\n</body></HTML>\r\n");
  EXPECT_EQ(client.response().contentType, "text/html");
}

TEST_F(HttpClientTest, TheBodyIsBoundedAndMustBeComplete) {
  client.limits.maxBodyBytes = 10;
  TestServer big(Always("HTTP/1.0 200 OK\r\n\r\n0123456789A"));
  EXPECT_EQ(Failure(big.url("/")).first, "HTTP response too large");

  TestServer cut(Always("HTTP/1.0 200 OK\r\nContent-Length: 8\r\n\r\n0123"));
  EXPECT_EQ(Failure(cut.url("/")).first, "HTTP transfer ended early");

  TestServer huge(Always("HTTP/1.0 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\n0"));
  EXPECT_EQ(Failure(huge.url("/")).first, "HTTP response too large");

  // A declared length ends the body even while the server keeps the connection open.
  TestServer kept([](const std::string&, int) {
    return Reply{"HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\n0123", true};
  });
  std::ostringstream whole;
  EXPECT_EQ(client.Get(host, kept.url("/"), whole), 200);
  EXPECT_EQ(whole.str(), "0123");
}

// Lets the window start a second request while the first one waits.
class ReentrantHost : public RecordingHost {
 public:
  HttpClient* client = nullptr;
  std::string url;
  std::string secondFailure;
  void processEvents() override {
    if (!client || !secondFailure.empty()) return;
    std::ostringstream ignored;
    try {
      client->Get(*this, url, ignored);
    } catch (const HttpError& e) {
      secondFailure = e.what();
    }
  }
};

TEST_F(HttpClientTest, ASecondRequestDuringTheFirstIsRefused) {
  TestServer server(Always("HTTP/1.0 200 OK\r\n\r\nfirst"));
  ReentrantHost reentrant;
  reentrant.client = &client;
  reentrant.url = server.url("/");
  EXPECT_EQ(client.Get(reentrant, server.url("/"), body), 200);
  EXPECT_EQ(reentrant.secondFailure, "HTTP component is busy");
  EXPECT_EQ(body.str(), "first");
  EXPECT_EQ(server.requests().size(), 1u);
}

}  // namespace
}  // namespace fw
