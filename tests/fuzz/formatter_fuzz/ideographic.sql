select@*@from@Ğˆõ
	where	”Ô† in (1,2)