#include "WindowRules.h"

#include <algorithm>

namespace vellumor {

EnabledStates GetEnabledStates(const MessageChoices& c, int mdCheckResultItems) {
  EnabledStates e;
  e.edMDPreset = c.rbMDPreset;
  e.mdButtonBoxes = !c.rbMDPreset;
  e.cbMDCheckResult = mdCheckResultItems > 0;
  e.edMDHelpContext = c.cbMDHelp;
  e.edMDCheckResult = c.cbMDCheckResult;
  e.edMBCheckResult = c.cbMBCheckResult;
  // Without a button the dialog could not be closed: nothing to preview or create.
  e.actPreview = !(CallKindOf(c) == CallKind::MessageDlg && NoMessageDlgButtonSelected(c));
  e.actCreate = e.actPreview;
  return e;
}

std::string ReadStatementQuestion(CallKind kind) {
  return kind == CallKind::MessageBox
             ? "The clipboard holds an Application.MessageBox statement. Set the window to it?"
             : "The clipboard holds a MessageDlg statement. Set the window to it?";
}

std::string RefusedStatementText(int line, int column, const std::string& reason, bool offerPaste) {
  std::string text = "The clipboard holds a statement the window cannot take:\r\rLine " +
                     std::to_string(line) + ", column " + std::to_string(column) + ": " + reason + ".";
  return offerPaste ? text + "\r\rPaste it as text?" : text;
}

std::string GetAboutText(const std::string& applicationTitle) {
  return applicationTitle +
         "\r\rGenerate message show program code in Delphi.\r\r"
         "To edit a statement, paste it into the message or choose Read Statement from Clipboard in the "
         "window menu.\r\r"
         "Vellumor, the Delphi message box code generator\r"
         "Free software under the MIT License; no warranty.";
}

namespace {
// Code points, as the box shows them; bytes that continue a UTF-8 sequence do not count.
bool StartsCharacter(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}
size_t CountCharacters(std::string_view text) {
  size_t n = 0;
  for (char c : text)
    n += StartsCharacter(c);
  return n;
}
std::string WithThousands(size_t n) {
  std::string digits = std::to_string(n), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

struct Wrapped {
  std::vector<std::string_view> lines;
  bool cutInsideAWord = false;
  bool complete = true;  // false: stopped at the line limit with text left
};

// Breaks at the text's own CRs, then at the last blank that fits, else where the fit ends (on a
// character's first byte). Stops after `limit` lines: only what is shown is ever measured.
Wrapped Wrap(std::string_view text, const LineFit& fit, size_t limit) {
  Wrapped out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\r', start);
    std::string_view paragraph = text.substr(start, end == std::string_view::npos ? end : end - start);
    do {
      if (out.lines.size() == limit) {
        out.complete = false;
        return out;
      }
      size_t n = std::min(paragraph.size(), std::max<size_t>(1, fit(paragraph)));
      while (n < paragraph.size() && n > 1 && !StartsCharacter(paragraph[n]))
        --n;
      if (n < paragraph.size()) {
        size_t blank = paragraph.substr(0, n + 1).rfind(' ');
        if (blank != std::string_view::npos && blank > 0)
          n = blank + 1;
        else
          out.cutInsideAWord = true;
      }
      out.lines.push_back(paragraph.substr(0, n));
      paragraph.remove_prefix(n);
    } while (!paragraph.empty());
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return out;
}

std::string Join(const std::vector<std::string_view>& lines, size_t from, size_t to) {
  std::string text;
  for (size_t i = from; i < to; ++i) {
    if (i > from) text += '\r';
    text += lines[i];
  }
  return text;
}
}  // namespace

std::string FitConfirmationText(const std::string& text, const LineFit& fit, size_t maxLines) {
  Wrapped wrapped = Wrap(text, fit, maxLines);
  if (wrapped.complete) return wrapped.cutInsideAWord ? Join(wrapped.lines, 0, wrapped.lines.size()) : text;
  // The note takes a line of its own between blank ones; the rest is shared between both ends.
  const size_t kept = maxLines > 3 ? maxLines - 3 : 1;
  const size_t head = (kept + 1) / 2, tail = kept - head;
  const std::string_view all(text);
  const size_t headEnd = head == 0 ? 0
                                   : static_cast<size_t>(wrapped.lines[head - 1].data() - all.data()) +
                                         wrapped.lines[head - 1].size();
  // The end is wrapped on its own, from a little before the lines it needs.
  size_t longest = 1;
  for (size_t i = 0; i < head; ++i)
    longest = std::max(longest, wrapped.lines[i].size());
  size_t tailStart =
      std::max(headEnd, text.size() > (tail + 1) * longest * 2 ? text.size() - (tail + 1) * longest * 2 : 0);
  while (tailStart < text.size() && !StartsCharacter(text[tailStart]))
    ++tailStart;
  Wrapped end = Wrap(all.substr(tailStart), fit, std::string::npos);
  const size_t tailFrom = end.lines.size() > tail ? end.lines.size() - tail : 0;
  const size_t tailBegin =
      end.lines.empty() ? text.size() : static_cast<size_t>(end.lines[tailFrom].data() - all.data());
  const size_t leftOut = CountCharacters(all.substr(headEnd, tailBegin - headEnd));
  std::string note = "[... " + WithThousands(leftOut) + (leftOut == 1 ? " character" : " characters") +
                     " not shown; OK copies all ...]";
  return Join(wrapped.lines, 0, head) + "\r\r" + note + "\r\r" + Join(end.lines, tailFrom, end.lines.size());
}

}  // namespace vellumor
