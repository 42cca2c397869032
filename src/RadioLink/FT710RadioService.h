#pragma once

#include "RadioLink/BaseYaesuRadioService.h"

// The FT-710: channels 1 to 99, read and written with the shared memory commands as they are.
class FT710RadioService : public BaseYaesuRadioService {
public:
    explicit FT710RadioService(std::shared_ptr<CATConnection> session);
};
