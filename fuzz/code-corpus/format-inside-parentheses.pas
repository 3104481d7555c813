MessageBeep(MB_ICONERROR);
if MessageDlg('оооооооооооооо ' +Format(age ) <>+ I,
  mtError, mbYesNo, 0) = 6 then
