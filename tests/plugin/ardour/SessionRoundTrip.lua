-- A real host's round trip: a session with the plug-in on a track, one
-- automation value set, saved, closed and loaded again. Run by
-- RunInArdour.sh with the session folder as its argument.
local folder = arg[1]
AudioEngine:set_backend("None (Dummy)", "", "")
local s = create_session(folder, "vesk", 48000)
if not s then print("no session") return end
local tl = s:new_audio_track(1, 2, nil, 1, "Vesk", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
local track = tl:front()
local proc = ARDOUR.LuaAPI.new_plugin(s, "Vesk Plug-In Editor", ARDOUR.PluginType.LXVST, "")
if proc:isnil() then print("plugin not made") return end
print("add", track:add_processor_by_index(proc, 0, nil, true))
local pi = proc:to_insert()
print("plugin", pi:plugin(0):name(), "params", pi:plugin(0):parameter_count())
ARDOUR.LuaAPI.set_plugin_insert_param(pi, 0, 37 / 127)
local v = ARDOUR.LuaAPI.get_plugin_insert_param(pi, 0, true)
print("set param 0 to", v)
print("save", s:save_state("", false, false, false, false, false))
pi = nil
proc = nil
track = nil
tl = nil
collectgarbage()
close_session()
collectgarbage()

local s2 = load_session(folder, "vesk")
if not s2 then print("no reload") return end
for r in s2:get_routes():iter() do
  local p = r:nth_plugin(0)
  if not p:isnil() then
    local pi2 = p:to_insert()
    print("reloaded", r:name(), pi2:plugin(0):name(), "param 0 =", ARDOUR.LuaAPI.get_plugin_insert_param(pi2, 0, true))
  end
end
close_session()
print("done")
