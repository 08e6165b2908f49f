select * from $TABLE where $COLUMN = '$TEXT1'
$DEFAULT1,Šù’è
$COMMENT1,ŽÐˆõ”Ô†‚ð“ü—Í@
$LISTTEXT1,1|2|ƒ\
