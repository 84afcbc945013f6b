#include "ghost/GhostForm.h"

#include <string>

#include "mainwindow/mainForm.h"
#include "resources/resource.h"
#include "winops/Top.h"
#include "winops/Transparent.h"

namespace {

const forms::Color kDarkBlue{0, 0, 192};

}  // namespace

GhostForm::GhostForm(forms::Host& host, platform::Desktop& desktop, mainForm& main)
    : Form(host, "GhostForm"),
      desktop_(desktop),
      main_(main),
      slider_(desktop, {buttonCover, ITransp, Image2, Label1},
              {.pressTarget = [this] { return main_.TargetHWnd; },
               .dragTarget = [this] { return main_.TargetHWnd; },
               .watchTimer = nullptr,
               .hiddenByTrackMotion = nullptr,
               .trackPressHidesThumb = true,
               .motionTestsDraggingFirst = true,
               .repaintsBeforeApplying = false}) {
  IDown.click.connect([this] { IDown_Click(); });
  ITop.click.connect([this] { ITop_Click(); });
  cancelAll.click.connect([this] { cancelAll_Click(); });
}

void GhostForm::design() {
  designWindow(kCaption, 0, forms::BorderStyle::None, 179, 24);
  designButtons(false, false, false);
  designNoActivate();

  buttonCover.design({148, 2, 16, 20});
  cancelAll.design({164, 12, 22, 22});
  cancelAll.setPicture(IDP_CANCEL_ALL);
  cancelAll.setTooltip("取消所有设置");
  ITransp.design({148, 2, 16, 20});
  IDown.design({160, -5, 22, 22});
  IDown.setPicture(IDP_PIN);
  IDown.setTooltip("置顶");
  ITop.design({160, -5, 22, 22});
  ITop.setPicture(IDP_PINNED);
  ITop.setTooltip("取消置顶");
  ITop.setVisible(false);
  Image2.design({0, 0, 176, 24});
  Label1.design({8, 8, 65, 17}, TransparencySlider::labelText(255));
  Label1.setForeColor(kDarkBlue);
  TransparencySlider::designLooks({buttonCover, ITransp, Image2, Label1});
}

void GhostForm::IDown_Click() {
  IDown.setVisible(false);
  ITop.setVisible(true);
  buttonCover.setVisible(true);
  buttonCover.setLeft(ITransp.left());
  Top::setTopmost(desktop_, main_.TargetHWnd, true);
  // The window now heads the always-on-top band and would cover the panel,
  // which lies over its corner, and with it the unpin icon: the panel goes
  // back above it, leaving the focus where it is.
  Top::setTopmost(desktop_, hwnd(), true, Top::Activation::Keep);
}

void GhostForm::ITop_Click() {
  ITop.setVisible(false);
  IDown.setVisible(true);
  Top::setTopmost(desktop_, main_.TargetHWnd, false);
}

void GhostForm::cancelAll_Click() {
  // The watch's ghostShown stays set: the panel comes back only after the
  // pointer has left this window's corner and returned.
  hide();
  ITransp.setLeft(TransparencySlider::kMaxLeft);
  Label1.setCaption(TransparencySlider::labelText(255));
  Transparent::setAlpha(desktop_, main_.TargetHWnd, 255);
  if (Transparent::isTopmost(desktop_, main_.TargetHWnd)) {
    Top::setTopmost(desktop_, main_.TargetHWnd, false);
    IDown.setVisible(true);
    ITop.setVisible(false);
  }
  buttonCover.setVisible(true);
  buttonCover.setLeft(ITransp.left());
}
