// The types the link calls the library's exports with are the library's own: a mismatch
// here would be a crash or a garbled argument at run time, where dlsym cannot see it.

#include <gtest/gtest.h>

#include <type_traits>

#include "access/telvane/telvane.h"
#include "access/telvane_exports.h"

namespace zel::access {
namespace {

#define ZEL_SAME_TYPE(name, type) static_assert(std::is_same_v<decltype(&::name), telvane::type>)
ZEL_SAME_TYPE(ZEL4CIWindowMsg, ZEL4CIWindowMsgFn);
ZEL_SAME_TYPE(Connect, ConnectFn);
ZEL_SAME_TYPE(Disconnect, DisconnectFn);
ZEL_SAME_TYPE(StartLogin, StartLoginFn);
ZEL_SAME_TYPE(Logout, LogoutFn);
ZEL_SAME_TYPE(CICommand, CICommandFn);
ZEL_SAME_TYPE(CICommandThread, CICommandThreadFn);
ZEL_SAME_TYPE(CIBinaryCommand, CIBinaryCommandFn);
ZEL_SAME_TYPE(CIBinaryCommandThread, CIBinaryCommandThreadFn);
ZEL_SAME_TYPE(LoginResult, TextGetterFn);
ZEL_SAME_TYPE(RemoteKernelVersion, RemoteKernelVersionFn);
ZEL_SAME_TYPE(RemoteKernelProject, TextGetterFn);
ZEL_SAME_TYPE(RemoteKernelRunFile, TextGetterFn);
ZEL_SAME_TYPE(RemoteKernelPlatform, TextGetterFn);
ZEL_SAME_TYPE(PasswordUsed, FlagGetterFn);
ZEL_SAME_TYPE(IsLockedByPassword, FlagGetterFn);
ZEL_SAME_TYPE(MayUseBinaryFileCommands, FlagGetterFn);
ZEL_SAME_TYPE(GetActivityLEDState, FlagGetterFn);
ZEL_SAME_TYPE(RemoteCIState, FlagGetterFn);
ZEL_SAME_TYPE(GetBinaryReceiveBuffer, GetBinaryReceiveBufferFn);
ZEL_SAME_TYPE(CanTransferFiles, FlagGetterFn);
ZEL_SAME_TYPE(CanForceOperands, FlagGetterFn);
ZEL_SAME_TYPE(FileTransferStart, FileTransferStartFn);
ZEL_SAME_TYPE(FileTransferCancel, FileTransferCancelFn);
ZEL_SAME_TYPE(UsedCommPlatform, FlagGetterFn);
ZEL_SAME_TYPE(IsActive, FlagGetterFn);
ZEL_SAME_TYPE(RemoteProjectBuildDate, RemoteProjectBuildDateFn);
#undef ZEL_SAME_TYPE

TEST(ExportTypesTest, EveryExportIsNamedOnceInTheChain) {
  for (std::size_t i = 0; i < kExportCount; ++i) {
    for (std::size_t j = i + 1; j < kExportCount; ++j) EXPECT_NE(kExportNames[i], kExportNames[j]);
  }
  EXPECT_EQ(ExportName(Export::RemoteProjectBuildDate), "RemoteProjectBuildDate");
  EXPECT_EQ(ExportName(Export::CICommandThread), "CICommandThread");
}

}  // namespace
}  // namespace zel::access
