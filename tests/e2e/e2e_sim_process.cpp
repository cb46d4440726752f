// The simulator runner of the link tests, built into this program too (one implementation).
#include "../link/sim_process.cpp"
