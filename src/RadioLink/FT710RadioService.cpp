#include "RadioLink/FT710RadioService.h"

FT710RadioService::FT710RadioService(std::shared_ptr<CATConnection> session)
    : BaseYaesuRadioService(RadioModel::ft710, ::memoryRange(RadioModel::ft710), std::move(session)) {
}
