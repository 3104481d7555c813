MessageBeep(MB_ICONINFORMATION);
if (MessageDlg('A'
    + #13'It''s', 
    mtInformation, [mbOK], 0) = mrOK) then 
