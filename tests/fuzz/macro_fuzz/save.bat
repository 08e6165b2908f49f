@CMD
copy "$SAVE" "$DIR\ï\.csv"
$TITLESAVE,ï€ë∂êÊ
$EXTSAVE,csv
$DEFAULTSAVE,C:\ï\
