// The About window under Wine on a display: its frame and controls, the pictures, the modal show
// and the three ways to close it, the hover effects and the links.
#include "ui/win32/about_box.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/fake_platform.h"
#include "tests/ui/win32/window_test.h"
#include "tests/ui/win32/window_test_support.h"

namespace tarnwick::ui::win32 {
namespace {

using testing::CentreOf;
using testing::ClickAt;
using testing::MovePointer;
using testing::ToScreen;

class AboutBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::HaveDisplay()) GTEST_SKIP() << "needs a display (DISPLAY), such as Xvfb's";
  }
  AboutBoxTest()
      : owner_(40, 40, 560, 420), about_(GetModuleHandleW(nullptr), owner_.get(), fake_) {}

  POINT screenCentreOf(AboutControl control) const {
    return ToScreen(about_.window(), CentreOf(about_.controlBounds(control)));
  }
  // A point of the window's client area over no control that reacts to the pointer.
  POINT restingPlace() const { return ToScreen(about_.window(), POINT{20, 260}); }
  RECT image3() const { return about_.controlBounds(AboutControl::image3); }

  // Shows the window modally and runs the steps inside its modal loop; the last step must close
  // it. Returns the modal result.
  int showWith(std::vector<std::function<void()>> steps) {
    MovePointer(ToScreen(owner_.get(), POINT{5, 5}));
    testing::PumpFor(50);
    testing::Steps run(std::move(steps));
    return about_.showModal();
  }

  platform::FakePlatform fake_;
  testing::OwnerWindow owner_;
  AboutBox about_;
};

TEST_F(AboutBoxTest, FrameAndControlsAtTheirPlaces) {
  wchar_t caption[64] = {};
  GetWindowTextW(about_.window(), caption, 64);
  EXPECT_STREQ(caption, L"About Tarnwick 1.0");
  EXPECT_FALSE(IsWindowVisible(about_.window())) << "created hidden";
  EXPECT_EQ(GetWindow(about_.window(), GW_OWNER), owner_.get());
  const LONG style = GetWindowLongW(about_.window(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  RECT client;
  GetClientRect(about_.window(), &client);
  EXPECT_EQ(client.right, 298);
  EXPECT_EQ(client.bottom, 287);

  struct Case {
    AboutControl control;
    RECT bounds;  // client coordinates
  };
  const Case cases[] = {
      {AboutControl::image3, {128, 233, 176, 281}},
      {AboutControl::Panel1, {9, 8, 290, 226}},
      {AboutControl::CreditLabel, {12, 42, 285, 55}},
      {AboutControl::Comments, {12, 77, 285, 90}},
      {AboutControl::Image1, {80, 103, 225, 208}},
      {AboutControl::titleLabel, {12, 8, 285, 40}},
      {AboutControl::descriptionLabel, {12, 61, 285, 74}},
      {AboutControl::image4, {68, 91, 236, 219}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.control));
    const RECT r = about_.controlBounds(c.control);
    EXPECT_TRUE(EqualRect(&r, &c.bounds))
        << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
  EXPECT_EQ(about_.hintOf(AboutControl::Comments), "https://tarnwick.example/");
  EXPECT_EQ(about_.hintOf(AboutControl::Image1), "https://tarnwick.example/");
}

TEST_F(AboutBoxTest, ModalUntilTheCheckMarkIsClicked) {
  bool ownerDisabled = false;
  bool shownCentred = false;
  const int result = showWith({
      [&] {
        ownerDisabled = !IsWindowEnabled(owner_.get());
        RECT frame;
        GetWindowRect(about_.window(), &frame);
        const int width = frame.right - frame.left;
        shownCentred = IsWindowVisible(about_.window()) &&
                       frame.left == (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
      },
      [&] { ClickAt(screenCentreOf(AboutControl::image3)); },
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(shownCentred);
  EXPECT_TRUE(IsWindowEnabled(owner_.get()));
  EXPECT_FALSE(IsWindowVisible(about_.window()));
}

TEST_F(AboutBoxTest, ClosesByTheCloseBoxAndByEsc) {
  const auto clickCloseBox = [&] {
    // The close box is wherever the frame says it is along the title bar.
    RECT frame;
    GetWindowRect(about_.window(), &frame);
    const int y = frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    for (int x = frame.right - 1; x > frame.left; --x) {
      const LRESULT hit = SendMessageW(about_.window(), WM_NCHITTEST, 0, MAKELPARAM(x, y));
      if (hit == HTCLOSE) {
        ClickAt(POINT{x - 3, y});
        return;
      }
    }
    ADD_FAILURE() << "no close box in the title bar";
    PostMessageW(about_.window(), WM_CLOSE, 0, 0);
  };
  EXPECT_EQ(showWith({[] {}, clickCloseBox}), IDCANCEL);
  EXPECT_TRUE(IsWindowEnabled(owner_.get()));
  EXPECT_FALSE(IsWindowVisible(about_.window()));

  EXPECT_EQ(showWith({[] {}, [] { testing::PressKey(VK_ESCAPE); }}), IDCANCEL);
  EXPECT_FALSE(IsWindowVisible(about_.window()));
}

TEST_F(AboutBoxTest, CheckMarkShiftsWhileHoveredAndIsBackForTheNextShow) {
  std::vector<RECT> seen;
  std::vector<bool> handCursor;
  const auto look = [&] {
    seen.push_back(image3());
    handCursor.push_back(testing::CurrentCursor() == LoadCursorA(nullptr, IDC_HAND));
  };
  showWith({
      [&] { MovePointer(screenCentreOf(AboutControl::image3)); },
      look,
      [&] { MovePointer(restingPlace()); },
      look,
      [&] { MovePointer(screenCentreOf(AboutControl::image3)); },
      [&] { MovePointer(restingPlace()); },
      [&] { MovePointer(screenCentreOf(AboutControl::image3)); },
      look,
      [&] { ClickAt(screenCentreOf(AboutControl::image3)); },
  });
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].left, 130);
  EXPECT_EQ(seen[0].top, 235);
  EXPECT_TRUE(handCursor[0]);
  EXPECT_EQ(seen[1].left, 128);
  EXPECT_EQ(seen[1].top, 233);
  EXPECT_FALSE(handCursor[1]);
  EXPECT_EQ(seen[2].left, 130);

  // Closed by a click on the mark itself; shown again, the mark is at rest.
  RECT again{};
  showWith({[&] { again = image3(); }, [] { testing::PressKey(VK_ESCAPE); }});
  EXPECT_EQ(again.left, 128);
  EXPECT_EQ(again.top, 233);
}

TEST_F(AboutBoxTest, WebAddressTurnsBlueWhileHoveredAndBlackAfter) {
  EXPECT_EQ(about_.commentsColour(), GetSysColor(COLOR_WINDOWTEXT));
  COLORREF hovered = 0;
  COLORREF after = 0;
  HCURSOR hoveredCursor = nullptr;
  showWith({
      [&] { MovePointer(screenCentreOf(AboutControl::Comments)); },
      [&] {
        hovered = about_.commentsColour();
        hoveredCursor = about_.controlCursor(AboutControl::Comments);
        MovePointer(restingPlace());
      },
      [&] { after = about_.commentsColour(); },
      [] { testing::PressKey(VK_ESCAPE); },
  });
  EXPECT_EQ(hovered, RGB(0, 0, 255));
  EXPECT_EQ(hoveredCursor, LoadCursorA(nullptr, IDC_HAND));
  EXPECT_EQ(after, RGB(0, 0, 0));
  EXPECT_EQ(about_.controlCursor(AboutControl::Comments), LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(AboutBoxTest, LinksOpenTheFullAddressWithTheShell) {
  const RECT frame = about_.controlBounds(AboutControl::image4);
  const RECT picture = about_.controlBounds(AboutControl::Image1);
  // On the frame's border, left of the picture's box: decoration, no link.
  const POINT border = ToScreen(
      about_.window(), POINT{(frame.left + picture.left) / 2, (picture.top + picture.bottom) / 2});
  HCURSOR borderCursor = nullptr;
  showWith({
      [&] { ClickAt(screenCentreOf(AboutControl::Comments)); },
      [&] { ClickAt(screenCentreOf(AboutControl::Image1)); },
      [&] { ClickAt(border); },
      [&] { borderCursor = testing::CurrentCursor(); },
      [] { testing::PressKey(VK_ESCAPE); },
  });
  ASSERT_EQ(fake_.shellRequests.size(), 2u);
  for (const platform::ShellRequest& request : fake_.shellRequests) {
    EXPECT_EQ(request.verb, "Open");
    EXPECT_EQ(request.file, "https://tarnwick.example/");
    EXPECT_EQ(request.show, platform::ShowCommand::Normal);
  }
  EXPECT_EQ(borderCursor, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_TRUE(IsWindowVisible(owner_.get()));
}

// The title's pixels: white text on the panel's grey with a darker halo below and to the right,
// and the pictures blended by their alpha over the button face.
TEST_F(AboutBoxTest, TitleAndPicturesAsPainted) {
  int white = 0;
  int halo = 0;
  COLORREF markCorner = 0;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  showWith({
      [] {},
      [&] {
        // Inside the panel's bevel, which is 4 pixels wide.
        RECT title = about_.controlBounds(AboutControl::titleLabel);
        title.top += 4;
        const int w = title.right - title.left;
        const int h = title.bottom - title.top;
        std::vector<COLORREF> pixels(static_cast<std::size_t>(w * h));
        for (int y = 0; y < h; ++y) {
          for (int x = 0; x < w; ++x) {
            pixels[static_cast<std::size_t>(y * w + x)] = testing::ScreenPixel(
                ToScreen(about_.window(), POINT{title.left + x, title.top + y}));
          }
        }
        const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * w + x)]; };
        for (int y = 2; y < h; ++y) {
          for (int x = 2; x < w; ++x) {
            const COLORREF c = at(x, y);
            if (c == RGB(255, 255, 255)) ++white;
            const bool darker = GetRValue(c) < GetRValue(face) && GetGValue(c) < GetGValue(face) &&
                                GetBValue(c) < GetBValue(face);
            const bool belowRightOfText =
                at(x - 1, y - 1) == RGB(255, 255, 255) || at(x - 2, y - 2) == RGB(255, 255, 255);
            if (darker && belowRightOfText) ++halo;
          }
        }
        const RECT mark = image3();
        markCorner = testing::ScreenPixel(ToScreen(about_.window(), POINT{mark.left, mark.top}));
      },
      [] { testing::PressKey(VK_ESCAPE); },
  });
  EXPECT_GT(white, 50) << "white text";
  EXPECT_GT(halo, 20) << "a darker halo below and right of the text";
  EXPECT_EQ(markCorner, face) << "the check mark's transparent corner shows the face";
}

}  // namespace
}  // namespace tarnwick::ui::win32
