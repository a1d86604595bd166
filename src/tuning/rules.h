#pragma once

namespace kestrel::tuning {}
