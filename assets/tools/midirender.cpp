// Renders a standard MIDI file to a 16-bit stereo WAVE file with a General
// MIDI sound font, the same synthesiser the game's MIDI playback uses.
//
//   midirender SOUNDFONT.sf2 IN.mid OUT.wav
#include <fluidsynth.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: midirender SOUNDFONT.sf2 IN.mid OUT.wav\n");
        return 2;
    }
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);

    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setstr(settings, "audio.file.name", argv[3]);
    fluid_settings_setstr(settings, "audio.file.type", "wav");
    fluid_settings_setstr(settings, "audio.file.format", "s16");
    fluid_settings_setnum(settings, "synth.sample-rate", 44100.0);
    fluid_settings_setnum(settings, "synth.gain", 0.5);
    // Render as fast as possible, not in real time.
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setint(settings, "synth.lock-memory", 0);

    fluid_synth_t* synth = new_fluid_synth(settings);
    int rc = 1;
    if (fluid_synth_sfload(synth, argv[1], 1) == FLUID_FAILED) {
        std::fprintf(stderr, "midirender: cannot load the sound font %s\n", argv[1]);
    } else {
        fluid_player_t* player = new_fluid_player(synth);
        fluid_file_renderer_t* renderer = new_fluid_file_renderer(synth);
        if (fluid_player_add(player, argv[2]) != FLUID_OK || renderer == nullptr) {
            std::fprintf(stderr, "midirender: cannot read %s or write %s\n", argv[2], argv[3]);
        } else {
            fluid_player_play(player);
            while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING) {
                if (fluid_file_renderer_process_block(renderer) != FLUID_OK) break;
            }
            // Let the last notes ring out: two more seconds of the synthesiser.
            for (int block = 0; block < 44100 * 2 / 64; ++block) {
                if (fluid_file_renderer_process_block(renderer) != FLUID_OK) break;
            }
            rc = 0;
        }
        if (renderer != nullptr) delete_fluid_file_renderer(renderer);
        delete_fluid_player(player);
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return rc;
}
