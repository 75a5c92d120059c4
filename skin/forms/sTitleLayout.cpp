#include "skin/forms/sTitleLayout.h"

#include <algorithm>

#include "skin/data/MaskGeometry.h"

namespace {

constexpr int kMissingButtonSize = 21;
// Extra gap before the help button and before the first user button.
constexpr int kGroupGap = 6;

enum TitleImageSlot {  // positions in kTitleButtonKeys
  kBigClose,
  kBigCloseAlone,
  kSmallClose,
  kBigMax,
  kBigNorm,
  kBigMin,
  kBigHelp,
  kSmallMax,
  kSmallNorm,
  kSmallMin,
  kSmallHelp
};

bool IsToolWindow(TsBorderKind kind) {
  return kind == TsBorderKind::ToolWindow || kind == TsBorderKind::SizeToolWin;
}

int TitleImage(const TsSkinModel& skin, TitleImageSlot slot) {
  return skin.QuickIndexes.TitleButtons[slot];
}

int SpacingFactor(const TsTitleInputs& inputs) {
  return inputs.UseBigButtons ? 1 : 0;
}

bool Inside(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

int UserButtonWidth(const TsSkinModel& skin, const TsTitleInputs& inputs, int i) {
  return std::max(inputs.UserButtons[i].GlyphWidth + 2, ButtonWidth(skin, inputs.UserButtonImage));
}

}  // namespace

int NativeFrameWidth(const TsFormShape& form, const TsSystemMetrics& metrics) {
  if (form.ThickFrame) return metrics.CxFrame;
  return form.HasBorder ? metrics.CxDlgFrame : 0;
}

int SystemCaptionHeight(const TsFormShape& form, const TsSystemMetrics& metrics) {
  return IsToolWindow(form.BorderStyle) && !form.Minimized ? metrics.CySmCaption
                                                           : metrics.CyCaption;
}

int CaptionHeight(const TsFormShape& form, const TsSystemMetrics& metrics) {
  bool noBorder = form.BorderStyle == TsBorderKind::None && !form.IsChild;
  if (!form.Minimized && (noBorder || !form.FullCaption)) return 0;
  return SystemCaptionHeight(form, metrics);
}

int MenuLineCountFor(const TsFormShape& form, const TsSystemMetrics& metrics, int formTop,
                     int firstItemBottom) {
  if (form.MenuLineHeight <= 0 || form.Minimized) return 0;
  int scroll = form.HasHScroll ? metrics.CyHScroll : 0;
  // The form's own border lies on both sides of the client, between the menu bar and it.
  int clientTop = formTop + form.Height - form.ClientHeight - NativeFrameWidth(form, metrics) -
                  scroll - 2 * form.BorderWidth;
  int line = metrics.CyMenu - 2;
  if (firstItemBottom >= clientTop || line <= 0) return 1;
  return (clientTop - firstItemBottom) / line + 1;
}

TPoint ClientOffset(const TsFormShape& form, const TsSystemMetrics& metrics) {
  int vscroll = form.HasVScroll ? metrics.CxVScroll : 0;
  int hscroll = form.HasHScroll ? metrics.CyHScroll : 0;
  int bottom = form.HasBorder ? NativeFrameWidth(form, metrics) + form.BorderWidth : 0;
  return {(form.Width - form.ClientWidth - vscroll) / 2,
          form.Height - form.ClientHeight - bottom - hscroll};
}

TsButtonImages ChooseButtonImages(const TsSkinModel& skin, bool useBigButtons,
                                  const TsTitleButtonRules& rules) {
  TsButtonImages result;
  bool big = useBigButtons || TitleImage(skin, kSmallClose) < 0;
  result.Big = big;
  auto& images = result.Images;
  if (big) {
    images[tbMin] = TitleImage(skin, kBigMin);
    images[tbMax] = TitleImage(skin, kBigMax);
    images[tbHelp] = TitleImage(skin, kBigHelp);
    int alone = TitleImage(skin, kBigCloseAlone);
    bool closeOnly = !rules.VisibleMax && !rules.VisibleMin;
    images[tbClose] = closeOnly && alone >= 0 ? alone : TitleImage(skin, kBigClose);
  } else {
    images[tbClose] = TitleImage(skin, kSmallClose);
    images[tbMin] = TitleImage(skin, kSmallMin);
    images[tbMax] = TitleImage(skin, kSmallMax);
    int help = TitleImage(skin, kSmallHelp);
    images[tbHelp] = help >= 0 ? help : TitleImage(skin, kBigHelp);
  }
  return result;
}

int ButtonWidth(const TsSkinModel& skin, int imageIndex) {
  if (!skin.IsValidImageIndex(imageIndex)) return kMissingButtonSize;
  return FrameWidth(skin.ImageTable[imageIndex]);
}

int ButtonHeight(const TsSkinModel& skin, int imageIndex) {
  if (!skin.IsValidImageIndex(imageIndex)) return kMissingButtonSize;
  return FrameHeight(skin.ImageTable[imageIndex]);
}

TsTitleLayout LayoutTitle(const TsSkinModel& skin, const TsFormShape& form,
                          const TsSystemMetrics& metrics, const TsTitleInputs& inputs) {
  const TsSkinData& g = skin.GlobalInfo;
  TsTitleLayout layout;
  int frame = NativeFrameWidth(form, metrics);
  int caption = CaptionHeight(form, metrics);
  layout.TitleCenterY = caption / 2 + frame / 2 + (form.Maximized ? 2 : 0);
  layout.TitleTop = form.Maximized ? metrics.CxFrame - 1 : 0;
  layout.TitleBottom = frame + caption;
  if (form.SkinnedFrame) {
    layout.TitleCenterY = caption / 2 + g.CenterOffset;
    layout.TitleTop = g.BITop;
    layout.TitleBottom = caption;
    if (form.Maximized) {
      // A maximised form shows only the title's lower rows: its top lies above the work area
      // by as much as the skin's maximised title height leaves out, and its edge is cut.
      int shown = g.MaxHeight > 0 ? g.MaxHeight : caption;
      layout.TitleTop = std::max(0, caption - shown) + kMaximizedTitleCut;
      layout.TitleCenterY =
          (layout.TitleTop + caption) / 2 + (shown == caption ? g.CenterOffset : 0);
    }
  }

  layout.IconShown = inputs.ShowIcon && inputs.Rules.HasSysMenu;
  int autoIcon = caption <= 8 ? 1 : caption <= 16 ? 8 : 16;
  int iconW = inputs.IconWidth ? inputs.IconWidth : autoIcon;
  int iconH = inputs.IconHeight ? inputs.IconHeight : autoIcon;
  int iconLeft = frame + g.BILeft;
  if (layout.IconShown) {
    int top = layout.TitleCenterY - iconH / 2;
    layout.IconRect = {iconLeft, top, iconLeft + iconW, top + iconH};
  } else {
    layout.IconRect = {iconLeft, 0, iconLeft, 0};
  }

  std::array<int, kTitleButtonKinds> images = inputs.Images.Images;
  bool bigImages = inputs.Images.Big;
  if (form.Maximized) {
    int norm = TitleImage(skin, bigImages ? kBigNorm : kSmallNorm);
    images[tbMax] = norm >= 0 ? norm : TitleImage(skin, kBigNorm);
  }
  if (form.Minimized && !form.IsMainForm) images[tbMin] = TitleImage(skin, kBigNorm);

  const auto& rules = inputs.Rules;
  // Without a caption there is no title to hold buttons (nor a place to click them).
  bool titled = caption > 0;
  std::array<bool, kTitleButtonKinds> shown = {
      titled && rules.HasSysMenu, titled && rules.VisibleMax, titled && rules.VisibleMin,
      titled && rules.VisibleHelp};
  static constexpr std::array<int, kTitleButtonKinds> kCodes = {kHitClose, kHitMaxButton,
                                                                kHitMinButton, kHitHelp};
  int height = ButtonHeight(skin, images[tbClose]);
  int spacing = g.BISpace * SpacingFactor(inputs);
  int x = form.Width - g.BIRight - frame;
  auto place = [&](TsTitleButtonData& b, int width, int h) {
    b.Bounds.Right = x;
    b.Bounds.Left = x - width;
    b.Bounds.Top = b.Big && g.BIVAlign == 1 ? layout.TitleTop : layout.TitleCenterY - h / 2;
    b.Bounds.Bottom = b.Bounds.Top + h;
    x = b.Bounds.Left - spacing;
  };
  for (int k = 0; k < kTitleButtonKinds; ++k) {
    TsTitleButtonData& b = layout.Buttons[k];
    b.ImageIndex = images[k];
    b.Big = bigImages;
    b.HitCode = kCodes[k];
    if (!shown[k]) continue;
    if (k == tbHelp) x -= kGroupGap;
    place(b, ButtonWidth(skin, images[k]), height);
  }
  int userHeight = ButtonHeight(skin, inputs.UserButtonImage);
  for (size_t i = 0; titled && i < inputs.UserButtons.size(); ++i) {
    TsTitleButtonData b;
    b.ImageIndex = inputs.UserButtons[i].UseSkinData ? inputs.UserButtonImage : -1;
    b.HitCode = kHitUserButton + static_cast<int>(i);
    if (i == 0) x -= kGroupGap;
    place(b, UserButtonWidth(skin, inputs, static_cast<int>(i)), userHeight);
    layout.UserButtons.push_back(b);
  }
  layout.ButtonsLeft = x;
  return layout;
}

int ButtonsAreaWidth(const TsSkinModel& skin, const TsTitleLayout& layout,
                     const TsTitleInputs& inputs) {
  int spacing = skin.GlobalInfo.BISpace * SpacingFactor(inputs);
  int width = skin.GlobalInfo.BIRight;
  if (inputs.Rules.HasSysMenu) width += layout.Buttons[tbClose].Bounds.Width();
  for (int k : {tbMax, tbMin, tbHelp}) {
    const TRect& r = layout.Buttons[k].Bounds;
    if (r.Width() > 0) width += r.Width() + spacing;
  }
  if (!layout.UserButtons.empty()) {
    width += kGroupGap;
    for (const auto& b : layout.UserButtons) width += b.Bounds.Width() + spacing;
  }
  return width;
}

TRect CaptionTextRect(const TsSkinModel& skin, const TsFormShape& form,
                      const TsSystemMetrics& metrics, const TsTitleLayout& layout,
                      const TsTitleInputs& inputs, bool hasCaptionSection, int textHeight) {
  TRect r;
  r.Left = NativeFrameWidth(form, metrics) + (layout.IconShown ? layout.IconRect.Width() : 0) +
           skin.GlobalInfo.BILeft + (hasCaptionSection ? 2 : 0) + 4;
  r.Right = form.Width - ButtonsAreaWidth(skin, layout, inputs) - 12;
  r.Top = layout.TitleCenterY - textHeight / 2;
  r.Bottom = r.Top + textHeight;
  return r;
}

TRect AlignCaption(TRect rect, int captionWidth, int addedWidth, TsCaptionAlign align,
                   bool rightToLeft) {
  if (rightToLeft && align != TsCaptionAlign::Center)
    align = align == TsCaptionAlign::Left ? TsCaptionAlign::Right : TsCaptionAlign::Left;
  int w = captionWidth + addedWidth + 4;
  if (align == TsCaptionAlign::Right) {
    if (w < rect.Width()) rect.Left = rect.Right - w;
  } else if (align == TsCaptionAlign::Center) {
    rect.Left = std::max(rect.Left, rect.Left + (rect.Width() - w) / 2);
    rect.Right = std::min(rect.Left + captionWidth, rect.Right);
  }
  return rect;
}

bool IsTitleElement(int code) {
  return code == kHitMinButton || code == kHitMaxButton || code == kHitClose || code == kHitHelp ||
         code >= kHitUserButton;
}

int HitTitleButton(const TsFormShape& form, const TsTitleLayout& layout,
                   const TsTitleInputs& inputs, TPoint p) {
  const auto& rules = inputs.Rules;
  const auto& b = layout.Buttons;
  if (Inside(b[tbClose].Bounds, p)) return rules.CanClose ? kHitClose : kHitCaption;
  if (rules.VisibleMax && Inside(b[tbMax].Bounds, p)) {
    if (rules.EnabledMax || (rules.EnabledRestore && !form.Minimized)) return kHitMaxButton;
    return kHitCaption;
  }
  if ((rules.VisibleMin || form.Minimized) && Inside(b[tbMin].Bounds, p))
    return form.Minimized || rules.EnabledMin ? kHitMinButton : kHitCaption;
  if (rules.VisibleHelp && Inside(b[tbHelp].Bounds, p)) return kHitHelp;
  for (size_t i = 0; i < layout.UserButtons.size(); ++i) {
    if (!Inside(layout.UserButtons[i].Bounds, p)) continue;
    return inputs.UserButtons[i].Enabled ? layout.UserButtons[i].HitCode : kHitClient;
  }
  for (size_t i = 0; i < inputs.Items.size(); ++i) {
    const TsTitleItemHit& item = inputs.Items[i];
    if (!Inside(item.Rect, p)) continue;
    if (item.Passive) return kHitNowhere;
    return item.Answers ? kHitTitleItem + static_cast<int>(i) : kHitClient;
  }
  return kHitNowhere;
}

namespace {

int HitSizingBorder(const TsFormShape& form, int frame, TPoint p) {
  // Rows: top band, bottom band, neither; columns: left, right, neither.
  static constexpr int kCodes[3][3] = {{kHitTopLeft, kHitTopRight, kHitTop},
                                       {kHitBottomLeft, kHitBottomRight, kHitBottom},
                                       {kHitLeft, kHitRight, kHitNowhere}};
  int row = p.Y > form.Height - frame ? 1 : p.Y < frame ? 0 : 2;
  int column = p.X < frame ? 0 : p.X > form.Width - frame ? 1 : 2;
  return kCodes[row][column];
}

}  // namespace

int HitTestFrame(const TsFormShape& form, const TsSystemMetrics& metrics,
                 const TsTitleLayout& layout, const TsTitleInputs& inputs, TPoint point,
                 int gripSize, bool gripActive) {
  if (int code = HitTitleButton(form, layout, inputs, point)) return code;
  int frame = NativeFrameWidth(form, metrics);
  if (!form.Maximized && form.ThickFrame) {
    if (int code = HitSizingBorder(form, frame, point)) return code;
  }
  int sysCaption = SystemCaptionHeight(form, metrics);
  int topBand = sysCaption + frame;
  if (point.Y >= 0 && point.Y <= topBand) {
    int menuTop = frame + sysCaption;
    int menuBottom = frame + CaptionHeight(form, metrics) + form.MenuLineHeight;
    if (form.MenuLineHeight > 0 && point.Y >= menuTop && point.Y <= menuBottom) return kHitMenu;
    if (layout.IconShown && Inside(layout.IconRect, point)) return kHitSysMenu;
    return kHitCaption;
  }
  if (point.Y > topBand + form.MenuLineHeight * form.MenuLineCount) {
    TPoint offset = ClientOffset(form, metrics);
    int right = offset.X + form.ClientWidth, bottom = offset.Y + form.ClientHeight;
    TRect grip = {right - gripSize, bottom - gripSize, right, bottom};
    if (gripSize > 0 && gripActive && Inside(grip, point)) return kHitBottomRight;
    return kHitClient;
  }
  return kHitMenu;
}

TsRegionPlan PlanRegion(const TsFormShape& form, const TsSystemMetrics& metrics) {
  TsRegionPlan plan;
  if (form.IsChild) return plan;
  if (form.BorderStyle == TsBorderKind::None && !form.ThickFrame) return plan;
  plan.UseRegion = true;
  if (form.Maximized) {
    int f = NativeFrameWidth(form, metrics);
    plan.Rect = {f, f, form.Width - f, form.Height - f};
    return plan;
  }
  plan.CutCorners = true;
  plan.Rect = {0, 0, form.Width, form.Height};
  return plan;
}

TsMaxPlacement MaximizedPlacement(const TRect& monitor, const TRect& work, int frame,
                                  int titleExcess) {
  return {{work.Left - monitor.Left - frame, work.Top - monitor.Top + titleExcess - frame},
          {work.Width() + 2 * frame, work.Height() + 2 * frame - titleExcess}};
}
