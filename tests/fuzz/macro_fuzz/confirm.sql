$CONFIRM,íœ‚µ‚Ä‚æ‚ë‚µ‚¢‚Å‚·‚©
delete from $LISTTABLE
