// The two correction dialogs of the loaded series: a penalty for one car of the live ranking,
// and the run comment.

#include <string>

#include "analysis/analysis_dialogs.h"
#include "analysis/run_corrections.h"
#include "files/handover_files.h"
#include "live/gdi_objects.h"
#include "main/main_dialogs.h"
#include "main/message_box.h"

namespace zd {

namespace {

void SetFont(HWND dialog, int id, HFONT font) {
  SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void DeleteFont(HFONT& font) {
  if (font) DeleteObject(font);
  font = nullptr;
}

void ShowError(HWND owner, std::string_view text, std::string_view caption) {
  ShowMessage(owner, std::string(text).c_str(), std::string(caption).c_str(), MB_OK);
}

// Penalty assignment ("PENALITESBIS").

constexpr int kCarText = 9301;
constexpr int kPenaltyList = 9302;
constexpr int kPenaltyName = 9303;
constexpr int kPenaltyDescription = 9304;
constexpr int kPenaltiesTitle = 9305;
constexpr int kAssignedHeading = 9306;

struct PenaltyAssignState {
  PenaltyTable table;
  LiveRankingEntry* row = nullptr;
  HFONT plain = nullptr;
  HFONT bold = nullptr;
  HFONT title = nullptr;
};
PenaltyAssignState& Assign() {
  static PenaltyAssignState state;
  return state;
}

void ShowAssigned(HWND dialog, int32_t index) {
  const AssignedPenaltyTexts t = AssignedPenalty(Assign().table, index);
  SetDlgItemTextA(dialog, kAssignedHeading, t.heading.c_str());
  SetDlgItemTextA(dialog, kPenaltyName, t.name.c_str());
  SetDlgItemTextA(dialog, kPenaltyDescription, t.description.c_str());
}

void OnAssignInit(HWND dialog, LiveRankingEntry* row) {
  PenaltyAssignState& s = Assign();
  if (const auto failure = LoadAssignablePenalties(s.table)) ShowError(dialog, *failure, "Error");
  s.row = row;
  HWND list = GetDlgItem(dialog, kPenaltyList);
  for (const std::string& text : PenaltyListTexts(s.table))
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  // An index the list does not hold selects nothing and stays until a line is picked.
  const int32_t index = row ? row->penaltyIndex : 0;
  SendMessageA(list, LB_SETCURSEL, index == 0 || PenaltyListed(s.table, index) ? index : -1, 0);
  if (row) {
    SetDlgItemTextA(dialog, kCarText, PenaltyCarCaption(row->carNumber, row->name).c_str());
  }
  ShowAssigned(dialog, index);
  s.plain = CreatePlainFont("Arial", 16);
  s.bold = CreatePlainFont("Arial", 16, 700);
  s.title = CreatePlainFont("Arial", 22, 700);
  SetFont(dialog, kCarText, s.title);
  for (int id : {kPenaltiesTitle, kAssignedHeading}) SetFont(dialog, id, s.bold);
  for (int id : {kPenaltyList, kPenaltyName, kPenaltyDescription, IDOK}) SetFont(dialog, id, s.plain);
}

void EndAssign(HWND dialog) {
  PenaltyAssignState& s = Assign();
  EndDialog(dialog, 0);
  DeleteFont(s.plain);
  DeleteFont(s.bold);
  DeleteFont(s.title);
  s.row = nullptr;
}

INT_PTR CALLBACK PenaltyAssignDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnAssignInit(dialog, reinterpret_cast<LiveRankingEntry*>(lParam));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kPenaltyList:
          if (HIWORD(wParam) == LBN_SELCHANGE) {
            const LRESULT i = SendDlgItemMessageA(dialog, kPenaltyList, LB_GETCURSEL, 0, 0);
            if (i >= 0 && Assign().row) {
              Assign().row->penaltyIndex = static_cast<int32_t>(i);
              ShowAssigned(dialog, static_cast<int32_t>(i));
            }
          }
          return TRUE;
        case kCarText:
        case kPenaltyName:
        case kPenaltyDescription:
          return TRUE;
        default:
          // "Ok", Escape and anything else close; the line keeps the index last chosen.
          EndAssign(dialog);
          return TRUE;
      }
    case WM_CLOSE:
      EndAssign(dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

// Run comment ("SERIECOMMENTAIRE").

constexpr int kDryRadio = 9601;
constexpr int kRainRadio = 9602;
constexpr int kIceRadio = 9603;
constexpr int kCommentEdit = 9604;
constexpr int kConditionTitle = 9605;
constexpr int kCommentTitle = 9606;

struct SeriesCommentState {
  TrackCondition condition;
  SeriesComment comment;
  HFONT plain = nullptr;
  HFONT bold = nullptr;
};
SeriesCommentState& Comment() {
  static SeriesCommentState state;
  return state;
}

void OnCommentInit(HWND dialog) {
  SeriesCommentState& s = Comment();
  s.condition.clear();
  s.comment.clear();
  if (!ReadSeriesCommentFile(s.condition, s.comment)) {
    ShowError(dialog, kSeriesCommentFileFailed, "Error");
  }
  s.condition = FrenchTrackCondition(s.condition);
  CheckRadioButton(dialog, kDryRadio, kIceRadio, kDryRadio + TrackConditionRadio(s.condition));
  SendDlgItemMessageA(dialog, kCommentEdit, EM_LIMITTEXT, kCommentTypingLimit, 0);
  SetDlgItemTextA(dialog, kCommentEdit, CommentForEdit(s.comment).c_str());
  s.plain = CreatePlainFont("Arial", 16);
  s.bold = CreatePlainFont("Arial", 16, 700);
  for (int id : {IDOK, IDCANCEL, kDryRadio, kRainRadio, kIceRadio, kCommentEdit})
    SetFont(dialog, id, s.plain);
  for (int id : {kConditionTitle, kCommentTitle}) SetFont(dialog, id, s.bold);
}

void OnCommentChange(HWND dialog) {
  HWND edit = GetDlgItem(dialog, kCommentEdit);
  SendMessageA(edit, EM_LIMITTEXT, kCommentTypingLimit, 0);
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
  Comment().comment = CommentFromEdit(text);
}

void EndComment(HWND dialog) {
  SeriesCommentState& s = Comment();
  EndDialog(dialog, 0);
  DeleteFont(s.plain);
  DeleteFont(s.bold);
}

INT_PTR CALLBACK SeriesCommentDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  SeriesCommentState& s = Comment();
  switch (message) {
    case WM_INITDIALOG:
      OnCommentInit(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kDryRadio:
          s.condition = kDry;
          return TRUE;
        case kRainRadio:
          s.condition = kRain;
          return TRUE;
        case kIceRadio:
          s.condition = kIce;
          return TRUE;
        case kCommentEdit:
          if (HIWORD(wParam) == EN_CHANGE) OnCommentChange(dialog);
          return TRUE;
        case IDOK:
          s.comment = CommentToSave(s.comment);
          if (!WriteSeriesCommentFile(s.condition, s.comment))
            ShowError(dialog, kSeriesCommentFileFailed, "Error");
          EndComment(dialog);
          return TRUE;
        case IDCANCEL:
          EndComment(dialog);
          return TRUE;
        default:
          return TRUE;
      }
    case WM_CLOSE:
      EndComment(dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void OpenPenaltyAssignDialog(HWND owner, LiveRankingEntry& row) {
  DialogBoxParamA(GetModuleHandleA(nullptr), "PENALITESBIS", owner, PenaltyAssignDialogProc,
                  reinterpret_cast<LPARAM>(&row));
}

void OpenSeriesCommentDialog(HWND owner) {
  DialogBoxParamA(GetModuleHandleA(nullptr), "SERIECOMMENTAIRE", owner, SeriesCommentDialogProc, 0);
}

}  // namespace zd
