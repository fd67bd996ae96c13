// The browser build's figures for bench/README.md, measured in headless Chromium on the served
// page: the frame intervals of the logo and of a falling piece, the browser's processor time in
// the menu and in a game, the page's size compressed, and the time from load to the first frame
// in a browser that has finished starting.
// Given several build folders, it measures each in turn, round after round, so that builds are
// compared in one run under the same load, and ends with each one's medians over the rounds.
//   node tools/web/bench.mjs [build folder...]   (default: TRIVANTA_WEB_BUILD or build-web)
//   TRIVANTA_BENCH_ROUNDS=5 node tools/web/bench.mjs build-web /path/to/other/build-web
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

import {buildDir, GamePage, launchChromium, loadScreenChecks, serveSite} from './browser.mjs';

// What a visit loads (the icons only a phone's home screen does). An older build compared with
// this one may lack some of them.
const pageFiles = ['index.html', 'page.js', 'page.css', 'controls.js', 'patterns.js',
                   'manifest.webmanifest', 'service_worker.js', 'trivanta.js', 'trivanta.worker.js',
                   'trivanta.wasm'];
const ticksPerSecond = 100;  // the kernel's clock ticks, as /proc reports processor time

function percentile(sorted, p) {
  return sorted[Math.min(sorted.length - 1, Math.floor(p / 100 * sorted.length))];
}

// Median interval and 99th percentile lateness (interval less the intended period).
function intervals(unsorted, periodMs) {
  const gaps = [...unsorted].sort((a, b) => a - b);
  return {
    frames: gaps.length,
    median: percentile(gaps, 50).toFixed(2),
    lateness99: (percentile(gaps, 99) - periodMs).toFixed(2),
  };
}

// Processor time of a process and all its descendants, in clock ticks.
function treeTicks(rootPid) {
  const stats = fs.readdirSync('/proc').filter((name) => /^\d+$/.test(name)).map((pid) => {
    try {
      const fields = fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      return {pid: Number(pid), ppid: Number(fields[1]), ticks: Number(fields[11]) + Number(fields[12])};
    } catch {
      return null;
    }
  }).filter(Boolean);
  const inTree = new Set([rootPid]);
  for (let grew = true; grew;) {
    grew = false;
    for (const stat of stats) {
      if (!inTree.has(stat.pid) && inTree.has(stat.ppid)) {
        inTree.add(stat.pid);
        grew = true;
      }
    }
  }
  return stats.filter((stat) => inTree.has(stat.pid)).reduce((sum, stat) => sum + stat.ticks, 0);
}

// The clock ticks the browser's processes take together over the next `seconds`.
async function ticksDuring(browser, seconds) {
  const pid = browser.process().pid;
  const before = treeTicks(pid);
  await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
  return treeTicks(pid) - before;
}

// Waits until the browser has finished starting: a browser just launched spends its first
// seconds loading pages of its own, beside any page it is asked for, and a player's browser is
// already running. Settled is a second in which every process together took at most one clock
// tick; after 30 s the page is loaded anyway. Resolves to the seconds it waited.
async function settled(browser) {
  for (let second = 1; second <= 30; ++second) {
    if (await ticksDuring(browser, 1) <= 1) return second;
  }
  return 30;
}

async function cpuPercent(browser, seconds) {
  return (await ticksDuring(browser, seconds) / ticksPerSecond / seconds * 100).toFixed(1);
}

// Every putImageData of the page, with its time and the red of its first pixel.
function recordPaints() {
  window.paints = [];
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function(image, ...rest) {
    window.paints.push({at: performance.now(), red: image.data[0]});
    return put.call(this, image, ...rest);
  };
}

// The intervals between the logo's frames where each changes the whole window: its background
// fading from black to white and back in steps of 8, one step a frame. Frames that change
// nothing are not painted, so the other intervals say nothing of the cadence. The first paint
// may be the black first frame of the lead-in, a third of a second before the first step.
function fadeGaps(paints) {
  const gaps = [];
  for (let i = paints[0]?.red === 0 ? 2 : 1; i < paints.length; ++i) {
    if (Math.abs(paints[i].red - paints[i - 1].red) === 8) gaps.push(paints[i].at - paints[i - 1].at);
  }
  return gaps;
}

function gapsOf(times) {
  return times.slice(1).map((t, i) => t - times[i]);
}

// One build's figures: a fresh browser on its site, the logo, 10 s of the menu and 10 s of the
// first piece's fall.
async function measure(build) {
  const site = path.join(build, 'site');
  const sizes = pageFiles.filter((file) => fs.existsSync(path.join(site, file))).map((file) => {
    const bytes = fs.readFileSync(path.join(site, file));
    return {file, bytes: bytes.length, gzip: zlib.gzipSync(bytes, {level: 9}).length};
  });
  const [server, browser, checks] =
      await Promise.all([serveSite({site}), launchChromium(), loadScreenChecks(build)]);
  try {
    const settleSeconds = await settled(browser);
    const page = await browser.newPage();
    await page.setViewport({width: 800, height: 700});
    await page.evaluateOnNewDocument(recordPaints);
    const game = new GamePage(page, checks);
    await page.goto(server.address);
    // The logo plays for about 3.5 s. Looking at the canvas takes the page's thread, which
    // paints, so the page is left alone until then.
    await page.waitForFunction(
        () => window.paints.length > 0 && performance.now() - window.paints[0].at > 4500,
        {polling: 200, timeout: 30000});
    if (!await game.showsWithin(15, 'menu', 0)) throw new Error('the menu never showed');
    const logo = await page.evaluate(() => window.paints.map((paint) => ({...paint})));
    const menuCpu = await cpuPercent(browser, 10);

    await game.type(' ');
    if (!await game.showsWithin(3, 'playing')) throw new Error('no game started');
    const fallStart = await page.evaluate(() => window.paints.length);
    const gameCpu = await cpuPercent(browser, 10);
    // The first piece's fall, which lasts longer than the 10 s measured: a presentation for
    // each 60 ms step.
    const fall = await page.evaluate(
        (from) => window.paints.slice(from).map((paint) => paint.at), fallStart);

    const firstLight = logo.find((paint) => paint.red !== 0)?.at;
    return {
      build,
      sizes,
      gzipTotal: sizes.reduce((sum, size) => sum + size.gzip, 0),
      settleSeconds,
      loadToFirstFrameMs: Math.round(logo[0].at),
      loadToFadeMs: firstLight && Math.round(firstLight),
      logo: intervals(fadeGaps(logo), 1000 / 60),
      fallingPiece: intervals(gapsOf(fall.slice(1)), 60),
      cpuPercent: {menu: menuCpu, game: gameCpu},
    };
  } finally {
    await browser.close();
    server.close();
  }
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor((sorted.length - 1) / 2)];
}

const builds = process.argv.length > 2 ? process.argv.slice(2).map((dir) => path.resolve(dir))
                                       : [buildDir];
const rounds = Number(process.env.TRIVANTA_BENCH_ROUNDS ?? (builds.length > 1 ? 3 : 1));
const runs = builds.map(() => []);
for (let round = 0; round < rounds; ++round) {
  for (const [i, build] of builds.entries()) {
    const run = await measure(build);
    runs[i].push(run);
    console.log(JSON.stringify(run, null, 2));
  }
}
// Each build's medians over the rounds, and the range.
const figure = (list, pick) => {
  const values = list.map(pick).map(Number);
  return `${median(values)} (${Math.min(...values)} to ${Math.max(...values)})`;
};
console.log(JSON.stringify(builds.map((build, i) => ({
  build,
  rounds,
  gzipTotal: runs[i][0].gzipTotal,
  loadToFirstFrameMs: figure(runs[i], (run) => run.loadToFirstFrameMs),
  logoMedianMs: figure(runs[i], (run) => run.logo.median),
  fallMedianMs: figure(runs[i], (run) => run.fallingPiece.median),
  cpuMenu: figure(runs[i], (run) => run.cpuPercent.menu),
  cpuGame: figure(runs[i], (run) => run.cpuPercent.game),
})), null, 2));
