#include "skin/forms/sFrameWindow.h"

#include "skin/render/sWindowRegion.h"

void CopyFrameStrips(HDC dc, const img::Bitmap32& image, TPoint client, const TsFormShape& shape) {
  int left = client.X, top = client.Y;
  int right = left + shape.ClientWidth, bottom = top + shape.ClientHeight;
  int w = image.Width(), h = image.Height();
  HDC src = image.DC();
  BitBlt(dc, 0, 0, w, top, src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, top, left, bottom - top, src, 0, top, SRCCOPY);
  BitBlt(dc, right, top, w - right, bottom - top, src, right, top, SRCCOPY);
  BitBlt(dc, 0, bottom, w, h - bottom, src, 0, bottom, SRCCOPY);
}

void ApplyFrameRegion(HWND wnd, const TsSkinModel& skin, const TsFramePaint& paint, bool redraw,
                      bool& applied) {
  TsRegionPlan plan = PlanRegion(paint.Form, paint.Metrics);
  if (!plan.UseRegion) {
    if (applied) SetWindowRgn(wnd, nullptr, redraw);
    applied = false;
    return;
  }
  std::vector<TRect> corners;
  if (plan.CutCorners)
    corners = CollectFrameCorners(skin, paint.Sections, paint.Form.Width, paint.Form.Height);
  if (ApplyWindowRegion(wnd, RectRegionWithout(plan.Rect, corners), redraw)) applied = true;
}

void AnswerFromImage(TsBgQuery& query, img::Bitmap32& image, TPoint client) {
  query.Kind = bgkBitmap;
  query.Bitmap = &image;
  query.OffsetX += client.X;
  query.OffsetY += client.Y;
  if (query.PleaseDraw && query.DrawDC) {
    const TRect& r = query.DrawRect;
    BitBlt(static_cast<HDC>(query.DrawDC), r.Left, r.Top, r.Width(), r.Height(), image.DC(),
           query.OffsetX, query.OffsetY, SRCCOPY);
  }
}

WPARAM TitleSystemCommand(TsTitleCommand command) {
  switch (command) {
    case TsTitleCommand::Minimize:
      return SC_MINIMIZE;
    case TsTitleCommand::Maximize:
      return SC_MAXIMIZE;
    case TsTitleCommand::Restore:
      return SC_RESTORE;
    case TsTitleCommand::Close:
      return SC_CLOSE;
    case TsTitleCommand::ContextHelp:
      return SC_CONTEXTHELP;
    default:
      return 0;
  }
}
