// The skin's six windows as the decorations see them: the shadow settings of
// each "Window" element, and the animated picture built through the
// custom-control hook.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ui/sequence_controls.h"
#include "ui/sequence_label_ui.h"
#include "ui/toolkit/control_tree.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/dialog_builder_callback.h"
#include "ui/toolkit/shadow_markup.h"
#include "ui/toolkit/skin_archive.h"

namespace {

using Vellum::ShadowMarkup;

class SequenceHook : public Vellum::IDialogBuilderCallback {
 public:
  std::unique_ptr<Vellum::CControlUI> CreateControl(const std::wstring& name) override {
    return Vellum::CreateSequenceControl(name);
  }
};

class SkinFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::FILE* f = std::fopen(QZ_SKIN_ARCHIVE_PATH, "rb");
    ASSERT_NE(f, nullptr) << QZ_SKIN_ARCHIVE_PATH;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes_.insert(bytes_.end(), buf, buf + n);
    std::fclose(f);
    archive_ = new Vellum::CSkinArchive;
    ASSERT_TRUE(archive_->Open(bytes_.data(), bytes_.size()));
  }
  static void TearDownTestSuite() {
    delete archive_;
    archive_ = nullptr;
  }
  static Vellum::BuiltWindow Build(const std::wstring& file) {
    SequenceHook hook;
    Vellum::BuiltWindow built;
    std::wstring error;
    EXPECT_TRUE(Vellum::CDialogBuilder::BuildFromArchive(*archive_, file, &hook, &built, &error)) << error;
    return built;
  }
  static std::vector<uint8_t> bytes_;
  static Vellum::CSkinArchive* archive_;
};
std::vector<uint8_t> SkinFiles::bytes_;
Vellum::CSkinArchive* SkinFiles::archive_ = nullptr;

TEST_F(SkinFiles, EveryWindowAsksForTheSameShadowButTheInstalledPathTip) {
  struct Case {
    const wchar_t* file;
    int darkness;
    uint32_t color;
  };
  const Case cases[] = {
      {L"MainWnd.xml", 20, 0x26003B76u},        {L"MessageBox1Wnd.xml", 20, 0x26003B76u},
      {L"MessageBox2Wnd.xml", 20, 0x26003B76u}, {L"InstalledPathTipWnd.xml", 10, 0xFFEDF0F4u},
      {L"ExitTipWnd.xml", 20, 0x26003B76u},     {L"NetworkTipWnd.xml", 20, 0x26003B76u},
  };
  for (const Case& c : cases) {
    ShadowMarkup m = Vellum::ReadShadowMarkup(Build(c.file).window);
    EXPECT_TRUE(m.show) << c.file;
    EXPECT_EQ(m.size, 6) << c.file;
    EXPECT_EQ(m.sharpness, 10) << c.file;
    EXPECT_EQ(m.darkness, c.darkness) << c.file;
    ASSERT_TRUE(m.position.has_value()) << c.file;
    EXPECT_EQ(*m.position, (Vellum::Point{1, 1})) << c.file;
    EXPECT_EQ(m.color, c.color) << c.file;
    EXPECT_FALSE(m.image.has_value()) << c.file;
  }
}

TEST(ShadowMarkup, WithoutShowShadowTrueNothingElseIsRead) {
  struct Case {
    const wchar_t* show;
    bool shown;
  };
  const Case cases[] = {{L"true", true}, {L"TRUE", true}, {L"True", true}, {L"yes", false}, {L"", false},
                        {nullptr, false}};
  for (const Case& c : cases) {
    Vellum::WindowAttributes w;
    if (c.show) w.Apply(L"showshadow", c.show);
    w.Apply(L"shadowsize", L"3");
    w.Apply(L"shadowcolor", L"00FF00");
    ShadowMarkup m = Vellum::ReadShadowMarkup(w);
    EXPECT_EQ(m.show, c.shown) << (c.show ? c.show : L"(none)");
    EXPECT_EQ(m.size.has_value(), c.shown);
    if (c.shown) {
      EXPECT_EQ(m.color, 0x00FF00u);
    }
  }
}

TEST(ShadowMarkup, ImageCornerAndPlainHexColour) {
  Vellum::WindowAttributes w;
  w.Apply(L"ShowShadow", L"true");
  w.Apply(L"shadowimage", L"res\\shadow.png");
  w.Apply(L"shadowcorner", L"7,8,9,10");
  w.Apply(L"shadowholeoffset", L"1,2,3,4");
  w.Apply(L"shadowposition", L"-3,4");
  w.Apply(L"shadowcolor", L"#112233");
  ShadowMarkup m = Vellum::ReadShadowMarkup(w);
  ASSERT_TRUE(m.image.has_value());
  EXPECT_EQ(*m.image, L"res\\shadow.png");
  EXPECT_EQ(m.corner, (Vellum::Rect{7, 8, 9, 10}));
  EXPECT_EQ(*m.position, (Vellum::Point{-3, 4}));
  EXPECT_EQ(m.color, 0x112233u);
  EXPECT_FALSE(m.size.has_value());
  EXPECT_FALSE(m.darkness.has_value());
}

TEST_F(SkinFiles, TheInstallingPictureIsASequenceLabelFromTheHook) {
  Vellum::BuiltWindow built = Build(L"MainWnd.xml");
  auto* anim = dynamic_cast<Vellum::CSequenceLabelUI*>(Vellum::FindControlByName(built.root.get(), L"progressAnLb"));
  ASSERT_NE(anim, nullptr);
  EXPECT_EQ(anim->GetSequencePattern(), L"res\\mainWnd\\installBtnAnimate\\%.3d.png");
  EXPECT_EQ(anim->GetSequenceCount(), 1);
  EXPECT_EQ(anim->GetSequencePeriod(), 30);
  EXPECT_TRUE(anim->GetAnimation().IsAutoStart());
  EXPECT_TRUE(anim->GetAnimation().IsLoop());
  EXPECT_FALSE(anim->GetAnimation().IsRoundTrip());
  EXPECT_EQ(anim->GetFixedWidth(), 255);
  // The frame it names is in the package.
  EXPECT_GE(archive_->Find(L"res\\mainWnd\\installBtnAnimate\\000.png"), 0);
}

}  // namespace
