\ Diet: the cheapest daily menu of bread, milk and cheese with enough protein, fat and carbohydrates.
Minimize
 cost: 2 bread + 3.5 milk + 8 cheese
Subject To
 protein: 4 bread + 8 milk + 25 cheese >= 60
 fat:     1 bread + 5 milk + 30 cheese >= 40
 carbs:   40 bread + 12 milk + 2 cheese >= 200
End
