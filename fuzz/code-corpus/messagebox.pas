if (Application.MessageBox('A', 'Information', MB_ICONINFORMATION + MB_YESNO + MB_DEFBUTTON1 + MB_APPLMODAL + MB_TOPMOST) = ID_NO) then 
