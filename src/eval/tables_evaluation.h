// Masks read only by the evaluation, built by the start-up table routine.
#pragma once

void initialise_tables_evaluation();
