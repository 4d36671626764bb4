// The link between an item and its input frame: the frame's parent (the pane) owns the
// frame, the item holds a guarded pointer and destroys the frame when it is released. Either
// side may go first; nothing is deleted twice and no link dangles (the sanitizer build runs
// these).

#include <gtest/gtest.h>

#include <functional>

#include "TFakeFrame.h"
#include "TInputComboBox.h"
#include "TInputData.h"
#include "TInputEdit.h"
#include "TInputImage.h"
#include "TProject.h"

namespace {

using testsupport::TFakeFrame;

class TFrameLinkTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::RegisterFakeFrames();
        TFakeFrame::Alive = 0;
    }
    void TearDown() override { EXPECT_EQ(TFakeFrame::Alive, 0); }
};

TEST_F(TFrameLinkTest, CreateFrameReplacesTheOldFrameAndNamesTheNewOne) {
    QObject pane;
    TInputEdit edit;
    edit.SetCaption("c");
    edit.CreateFrame(&pane, "Frame0");
    EXPECT_EQ(TFakeFrame::Alive, 1);
    TFrameInputBase* second = edit.CreateFrame(&pane, "Frame1");
    EXPECT_EQ(TFakeFrame::Alive, 1);
    ASSERT_EQ(pane.children().size(), 1);
    EXPECT_EQ(pane.children().front(), second->GetFrameObject());
    EXPECT_EQ(second->GetFrameObject()->objectName(), QString("Frame1"));
    // The frame holds its own copy of the item.
    EXPECT_NE(second->GetInputItem(), &edit);
    EXPECT_EQ(second->GetInputItem()->GetCaption(), QString("c"));
    EXPECT_EQ(edit.GetFrameInterface(), second);
}

TEST_F(TFrameLinkTest, WithoutAFrameNothingIsCreatedOrChecked) {
    TInputEdit edit;
    edit.Required = true;
    EXPECT_EQ(edit.CreateInputData(), nullptr);
    EXPECT_NO_THROW(edit.CheckInput());
    EXPECT_NO_THROW(edit.ReleaseFrame());
    edit.CreateFrame(nullptr, "Frame0");
    EXPECT_EQ(edit.Clone()->GetFrameInterface(), nullptr);
}

// A pane (a plain parent object) showing the frames of a three-item project.
struct TPaneWithProject {
    std::unique_ptr<QObject> Pane = std::make_unique<QObject>();
    std::unique_ptr<TProject> Project = std::make_unique<TProject>();

    TPaneWithProject() {
        Project->InputItems.Add(std::make_unique<TInputEdit>());
        Project->InputItems.Add(std::make_unique<TInputComboBox>());
        Project->InputItems.Add(std::make_unique<TInputImage>());
        for (int i = 0; i < 3; ++i)
            Project->GetInputItem(i)->CreateFrame(Pane.get(), "Frame" + QString::number(i));
    }
    QStringList FrameNames() const {
        QStringList names;
        for (const QObject* child : Pane->children())
            names << child->objectName();
        return names;
    }
};

TEST_F(TFrameLinkTest, EitherSideMayGoFirst) {
    struct TCase {
        const char* Name;
        std::function<void(TPaneWithProject&)> Step;
        int FramesLeft;
        QStringList NamesLeft;
    };
    const TCase cases[] = {
        {"pane first", [](TPaneWithProject& s) { s.Pane.reset(); }, 0, {}},
        {"project first", [](TPaneWithProject& s) { s.Project.reset(); }, 0, {}},
        {"item deleted",
         [](TPaneWithProject& s) { s.Project->InputItems.Delete(1); },
         2,
         {"Frame0", "Frame2"}},
        {"item replaced",
         [](TPaneWithProject& s) {
             s.Project->ReplaceInputItem(0, std::make_unique<TInputEdit>());
         },
         2,
         {"Frame1", "Frame2"}},
        {"items cleared", [](TPaneWithProject& s) { s.Project->InputItems.Clear(); }, 0, {}},
        {"frame deleted on its own",
         [](TPaneWithProject& s) { delete s.Pane->findChild<QObject*>("Frame2"); },
         2,
         {"Frame0", "Frame1"}},
        {"frames rebuilt",
         [](TPaneWithProject& s) {
             for (int i = 0; i < 3; ++i)
                 s.Project->GetInputItem(i)->CreateFrame(s.Pane.get(),
                                                         "Frame" + QString::number(i));
         },
         3,
         {"Frame0", "Frame1", "Frame2"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPaneWithProject scene;
        c.Step(scene);
        EXPECT_EQ(TFakeFrame::Alive, c.FramesLeft);
        if (scene.Pane) {
            EXPECT_EQ(scene.FrameNames(), c.NamesLeft);
        }
        if (scene.Project) {
            // Every remaining item links exactly the frames still alive.
            int linked = 0;
            for (int i = 0; i < scene.Project->InputItems.GetCount(); ++i)
                linked += scene.Project->GetInputItem(i)->GetFrameInterface() ? 1 : 0;
            EXPECT_EQ(linked, c.FramesLeft);
        }
        // Tearing down the rest in both orders must not touch a destroyed frame.
        scene.Pane.reset();
        scene.Project.reset();
        EXPECT_EQ(TFakeFrame::Alive, 0);
    }
}

TEST_F(TFrameLinkTest, AnItemOutlivingItsPaneReleasesNothingTwice) {
    TInputComboBox combo;
    {
        QObject pane;
        combo.CreateFrame(&pane, "Frame0");
    }
    EXPECT_EQ(combo.GetFrameInterface(), nullptr);
    EXPECT_EQ(combo.CreateInputData(), nullptr);
    combo.ReleaseFrame();
    EXPECT_NE(combo.CreateFrame(nullptr, "Frame0"), nullptr);
}

}  // namespace
