select * from V$OPEN_CURSOR where user_name = '$USER'
