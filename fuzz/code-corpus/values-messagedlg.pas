MessageBeep(MB_ICONERROR);
if MessageDlg('Error: ' + E.Message + #13#10 + (A - B) + ' {x}' + QuotedStr(Name) + Items[I]^.Caption,
  mtError, mbYesNo, 0) = 6 then
