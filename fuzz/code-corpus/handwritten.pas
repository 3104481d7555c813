if Application.MessageBox(PChar('x' + sLineBreak + #$263A), 'T', MB_ICONSTOP or $4000) = IDOK then
