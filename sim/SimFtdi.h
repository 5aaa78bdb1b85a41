// The simulated USB serial bridge library: a bridge with a COM port number
// taken from the scenario (`ftdi.*`, sim/README.md).
#pragma once

#include "device/FtdiLibrary.h"

class Simulation;

class SimFtdi final : public IFtdi {
public:
    explicit SimFtdi(Simulation& simulation) : m_sim(simulation) {}
    unsigned long Open(int deviceIndex, void** handle) override;
    unsigned long GetComPortNumber(void* handle, long* port) override;
    unsigned long Close(void* handle) override;

private:
    Simulation& m_sim;
};
