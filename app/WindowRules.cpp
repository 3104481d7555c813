#include "WindowRules.h"

#include <algorithm>

#include "Utf8.h"

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

std::string ValueErrorText(const std::string& error) {
  std::string where = error;
  if (!where.empty() && where[0] >= 'a' && where[0] <= 'z')
    where[0] = static_cast<char>(where[0] - 'a' + 'A');
  return "The values in braces cannot be written into the code:\r\r" + where + ".";
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
std::string WithThousands(size_t n) {
  std::string digits = std::to_string(n), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

struct Line {
  std::string_view text;
  bool breakAfter = false;  // ends its paragraph, or is cut inside a word: a CR follows when joined
};
struct Wrapped {
  std::vector<Line> lines;
  bool cutInsideAWord = false;
  bool complete = true;  // false: stopped at the line limit with text left
};

// A cut on a character's first byte; a line keeps at least its first character.
size_t OnCharacter(std::string_view text, size_t n) {
  n = Utf8CharStart(text, n);
  return n > 0 || text.empty() ? n : DecodeUtf8(text, 0).bytes;
}

// Breaks at the text's own CRs, then at the last blank that fits the wrap width. A longer word
// takes a line of its own, as the box widens for it; one wider than the widest line is cut where
// that ends (on a character's first byte). Stops after `limit` lines: only what is shown is ever
// measured.
Wrapped Wrap(std::string_view text, const LineFit& fit, const TextRoom& room, size_t limit) {
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
      size_t n = OnCharacter(paragraph,
                             std::min(paragraph.size(), std::max<size_t>(1, fit(paragraph, room.wrapWidth))));
      bool cut = false;
      if (n < paragraph.size()) {
        size_t blank = paragraph.substr(0, n + 1).rfind(' ');
        if (blank != std::string_view::npos && blank > 0) {
          n = blank + 1;
        } else {
          const size_t wordEnd = std::min(paragraph.find(' ', n), paragraph.size());
          const size_t widest = OnCharacter(
              paragraph, std::min(paragraph.size(), std::max<size_t>(1, fit(paragraph, room.widestLine))));
          cut = wordEnd > widest;
          n = cut ? widest : std::min(wordEnd + 1, paragraph.size());
          out.cutInsideAWord |= cut;
        }
      }
      out.lines.push_back({paragraph.substr(0, n), cut || n == paragraph.size()});
      paragraph.remove_prefix(n);
    } while (!paragraph.empty());
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return out;
}

// Lines of one paragraph join as they stand, for the box to wrap them as before.
std::string Join(const std::vector<Line>& lines, size_t from, size_t to) {
  std::string text;
  for (size_t i = from; i < to; ++i) {
    text += lines[i].text;
    if (i + 1 < to && lines[i].breakAfter) text += '\r';
  }
  return text;
}
}  // namespace

std::string FitBoxText(const std::string& text, const LineFit& fit, const TextRoom& room,
                       const LeftOutNote& note) {
  const size_t maxLines = std::max<size_t>(1, room.lines);
  Wrapped wrapped = Wrap(text, fit, room, maxLines);
  if (wrapped.complete) return wrapped.cutInsideAWord ? Join(wrapped.lines, 0, wrapped.lines.size()) : text;
  // The note takes a line of its own between blank ones; the rest is shared between both ends.
  const size_t kept = maxLines > 3 ? maxLines - 3 : 1;
  const size_t head = (kept + 1) / 2, tail = kept - head;
  const std::string_view all(text);
  const size_t headEnd = head == 0 ? 0
                                   : static_cast<size_t>(wrapped.lines[head - 1].text.data() - all.data()) +
                                         wrapped.lines[head - 1].text.size();
  // The end is wrapped on its own, from a little before the lines it needs.
  size_t longest = 1;
  for (size_t i = 0; i < head; ++i)
    longest = std::max(longest, wrapped.lines[i].text.size());
  size_t tailStart =
      std::max(headEnd, text.size() > (tail + 1) * longest * 2 ? text.size() - (tail + 1) * longest * 2 : 0);
  if (const size_t start = Utf8CharStart(text, tailStart); start < tailStart)
    tailStart = start + DecodeUtf8(text, start).bytes;
  Wrapped end = Wrap(all.substr(tailStart), fit, room, std::string::npos);
  const size_t tailFrom = end.lines.size() > tail ? end.lines.size() - tail : 0;
  const size_t tailBegin =
      end.lines.empty() ? text.size() : static_cast<size_t>(end.lines[tailFrom].text.data() - all.data());
  return Join(wrapped.lines, 0, head) + "\r\r" + note(all.substr(headEnd, tailBegin - headEnd)) + "\r\r" +
         Join(end.lines, tailFrom, end.lines.size());
}

std::string ConfirmationNote(std::string_view leftOut) {
  const size_t n = CountUtf8Chars(leftOut);
  return "[... " + WithThousands(n) + (n == 1 ? " character" : " characters") +
         " not shown; OK copies all ...]";
}

// Lines count whole or in part; a cut inside one line counts its characters.
std::string PreviewNote(std::string_view leftOut) {
  const size_t breaks = static_cast<size_t>(std::count(leftOut.begin(), leftOut.end(), '\r'));
  const size_t lines = breaks == 0 ? 0 : breaks + 1 - (leftOut.front() == '\r') - (leftOut.back() == '\r');
  const size_t n = lines ? lines : CountUtf8Chars(leftOut);
  return "[... " + WithThousands(n) +
         (lines ? (n == 1 ? " line" : " lines") : (n == 1 ? " character" : " characters")) +
         " not shown: the box with the whole text would be taller than the screen ...]";
}

}  // namespace vellumor
