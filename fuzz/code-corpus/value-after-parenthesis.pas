if Application.MessageBox(PChar('x'),* ''T,MB_ICONSTOP or $4001) = IDOK then
