// Taking the mouse capture through the sink.
#include "framework/dialogs/MouseCaptureSink.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/dialogframes/DialogFramesTestSupport.h"

namespace {

using MouseCaptureSinkTest = PopupHostTest;

TEST_F(MouseCaptureSinkTest, MovesTheCaptureAndReturnsItsFormerHolder)
{
    const HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                         nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, other);
    CExtMouseCaptureSink sink;
    ::SetCapture(other);
    EXPECT_EQ(other, sink.SetCaptureWindow(m_host));
    EXPECT_EQ(m_host, ::GetCapture());
    ::ReleaseCapture();
    ::DestroyWindow(other);
}

} // namespace
