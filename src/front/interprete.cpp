#include "front/interprete.h"

#include "front/options.h"

void interprete_commande() { fin_programme = 1; }
