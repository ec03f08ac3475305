// Windows Sockets started through the framework.
#include <gtest/gtest.h>

#include "afxsock.h"

TEST(AfxSocketInit, StartsVersionOneOneOnceAndSocketsWork) {
  WSADATA first = {}, again = {};
  ASSERT_TRUE(AfxSocketInit(&first));
  EXPECT_EQ(MAKEWORD(1, 1), first.wVersion);
  ASSERT_TRUE(AfxSocketInit(&again));  // a second start only reports
  EXPECT_EQ(first.wVersion, again.wVersion);
  EXPECT_TRUE(AfxSocketInit());
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  ASSERT_NE(INVALID_SOCKET, s);
  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  EXPECT_EQ(0, ::bind(s, (sockaddr*)&addr, sizeof(addr)));
  ::closesocket(s);
}
